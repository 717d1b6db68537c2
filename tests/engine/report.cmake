# The report layout tables and the Project Summary values.
zol_add_test(tst_report_layout SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_report_layout.cpp LIBS zol_engine)
zol_add_test(tst_report_summary SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_report_summary.cpp LIBS zol_engine)
zol_add_test(tst_report_fromrun SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_report_fromrun.cpp LIBS zol_engine)
