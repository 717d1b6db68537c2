# The browse dialogs and their command loop, on the in-memory spreadsheet server.
foreach(unit dialogs commands)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/tst_browse_${unit}.cpp)
    zol_add_test(tst_browse_${unit} SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_browse_${unit}.cpp
      ${CMAKE_CURRENT_LIST_DIR}/forms_testkit.h LIBS zol_forms zol_process_fixture zol_excel_fake)
    target_include_directories(tst_browse_${unit} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  endif()
endforeach()

# The browse commands against a private headless LibreOffice on the sample.
if(TARGET zol_workbook_maker)
  zol_add_test(tst_browse_office SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_browse_office.cpp
    ${CMAKE_CURRENT_LIST_DIR}/forms_testkit.h LIBS zol_forms zol_process_fixture zol_workbook_maker TIMEOUT 600
    LABELS office)
  target_include_directories(tst_browse_office PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/tests)
  add_dependencies(tst_browse_office zol_samples)
endif()
