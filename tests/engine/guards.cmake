# What a run refuses before it saves: results that are not numbers, an
# Output File or folder that cannot be written, a file held elsewhere, an
# empty Data Source File (the in-memory server; real mounts when root). Its
# files lie where the user nobody can reach them.
zol_add_test(tst_process_guards SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_guards.cpp
  LIBS zol_process_fixture TIMEOUT 300 OTHER_USER)
