# The progress lines, the in-memory progress display and the cancel poll.
zol_add_test(tst_progress SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_progress.cpp LIBS zol_services)
