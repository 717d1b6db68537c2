# The S Curve Options, Data Source Map and Data Source Filter pages on the
# main form.
foreach(t tst_main_options tst_main_map tst_main_filter)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp)
    zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
                 ${CMAKE_CURRENT_LIST_DIR}/PagesTestKit.h
                 LIBS zol_forms)
  endif()
endforeach()
