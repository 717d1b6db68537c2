# Rules of the S Curve Options, Data Source Map and Data Source Filter pages.
foreach(t tst_preview_rules tst_map_rules tst_filter_rules)
  zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp
               ${CMAKE_SOURCE_DIR}/tests/model/ModelTestKit.h LIBS zol_forms_rules zol_model)
  target_include_directories(${t} PRIVATE ${CMAKE_SOURCE_DIR}/tests/model)
endforeach()

add_executable(pages123_gallery ${CMAKE_CURRENT_LIST_DIR}/pages123_gallery.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
  ${CMAKE_CURRENT_LIST_DIR}/PagesTestKit.h)
target_link_libraries(pages123_gallery PRIVATE zol_forms)
set_target_properties(pages123_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
