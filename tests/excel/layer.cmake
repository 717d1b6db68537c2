# The spreadsheet layer over the fake backend.
zol_add_test(tst_xl_layer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_xl_layer.cpp LIBS zol_excel_fake)
zol_add_test(tst_xl_ops SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_xl_ops.cpp LIBS zol_excel_fake)
zol_add_test(tst_xl_ocp SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_xl_ocp.cpp LIBS zol_excel_fake)
