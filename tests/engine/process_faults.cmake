# Whole runs against a private headless LibreOffice that stops answering,
# meets a full disk or a template with a tall old block.
if(TARGET zol_workbook_maker AND TARGET zol_process_fixture)
  zol_add_test(tst_process_faults SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_faults.cpp
    LIBS zol_process_fixture zol_workbook_maker TIMEOUT 900 LABELS office)
  target_compile_definitions(tst_process_faults PRIVATE ZOL_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
