# The S Curve Options, Data Source Map and Data Source Filter pages on the
# main form.
foreach(t tst_main_options tst_main_map tst_main_filter)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp)
    zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
                 ${CMAKE_CURRENT_LIST_DIR}/PagesTestKit.h
                 LIBS zol_forms)
  endif()
endforeach()

# The pages' workbook reads through the browse commands, on the in-memory server.
zol_add_test(tst_main_pages_reads SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_main_pages_reads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_testkit.h LIBS zol_forms zol_process_fixture zol_excel_fake)
target_include_directories(tst_main_pages_reads PRIVATE ${CMAKE_CURRENT_LIST_DIR})
