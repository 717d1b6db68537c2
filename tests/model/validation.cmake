if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/tst_validation.cpp)
  zol_add_test(tst_validation SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_validation.cpp
               ${CMAKE_CURRENT_LIST_DIR}/ModelTestKit.h LIBS zol_model)
endif()
