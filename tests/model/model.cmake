zol_add_test(tst_model SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_model.cpp ${CMAKE_CURRENT_LIST_DIR}/ModelTestKit.h
             LIBS zol_model)
