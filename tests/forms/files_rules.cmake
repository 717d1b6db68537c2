# The widget-free rules of the S Curve Files page and the browse dialogs.
zol_add_test(tst_files_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_files_rules.cpp LIBS zol_forms_rules)
zol_add_test(tst_browse_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_browse_rules.cpp LIBS zol_forms_rules)
