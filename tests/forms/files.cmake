# The S Curve Files page, and the gallery of the page and the browse dialogs.
zol_add_test(tst_files_page SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_files_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_testkit.h LIBS zol_forms zol_process_fixture zol_excel_fake)
target_include_directories(tst_files_page PRIVATE ${CMAKE_CURRENT_LIST_DIR})
if(TARGET zol_excel_lo)
  add_executable(files_gallery ${CMAKE_CURRENT_LIST_DIR}/files_gallery.cpp)
  target_include_directories(files_gallery PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(files_gallery PRIVATE zol_forms zol_process_fixture zol_excel_lo)
  set_target_properties(files_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
  add_dependencies(files_gallery zol_samples)
endif()
