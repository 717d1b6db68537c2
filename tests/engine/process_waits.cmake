# Whole runs against a private headless LibreOffice with a spare server that
# is still starting or stopped, and a server that stops at the final quit:
# the window's thread keeps handling events, and Cancel answers.
if(TARGET zol_workbook_maker AND TARGET zol_process_fixture)
  zol_add_test(tst_process_waits SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_waits.cpp
    LIBS zol_process_fixture zol_workbook_maker TIMEOUT 900 LABELS office)
  target_include_directories(tst_process_waits PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(tst_process_waits PRIVATE ZOL_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
