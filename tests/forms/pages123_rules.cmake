# Rules of the S Curve Options, Data Source Map and Data Source Filter pages.
foreach(t tst_preview_rules tst_map_rules tst_filter_rules)
  zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp
               ${CMAKE_SOURCE_DIR}/tests/model/ModelTestKit.h LIBS zol_forms_rules zol_model)
  target_include_directories(${t} PRIVATE ${CMAKE_SOURCE_DIR}/tests/model)
endforeach()
