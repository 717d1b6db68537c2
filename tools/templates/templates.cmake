# The maker of the program's templates and sample workbooks (drives a private
# LibreOffice); its workbook code is shared with the office tests and the
# benchmarks.
if(TARGET zol_excel_lo AND NOT TARGET zol_workbook_maker)
  add_library(zol_workbook_maker STATIC ${CMAKE_CURRENT_LIST_DIR}/WorkbookMaker.cpp ${CMAKE_CURRENT_LIST_DIR}/WorkbookMaker.h)
  target_include_directories(zol_workbook_maker PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(zol_workbook_maker PUBLIC zol_excel_lo zol_engine)
  add_executable(make_templates ${CMAKE_CURRENT_LIST_DIR}/make_templates.cpp)
  target_link_libraries(make_templates PRIVATE zol_workbook_maker)
  set_target_properties(make_templates PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()
