# The LibreOffice backend under faults: a server stopped, killed or hung in
# the middle of a call, a full disk, leftovers of dead runs, a tall block
# cleared at once. Each test starts its own private servers.
if(TARGET zol_lo_fixtures)
  foreach(t tst_lo_clear tst_lo_calls tst_lo_files)
    zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp LIBS zol_lo_fixtures TIMEOUT 600 LABELS office)
  endforeach()
endif()

# The call runner alone, over plain processes in place of a server.
if(TARGET zol_excel_lo)
  zol_add_test(tst_lo_runner SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lo_runner.cpp LIBS zol_excel_lo TIMEOUT 120)
endif()
