zol_add_test(tst_startup
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_startup.cpp ${PROJECT_SOURCE_DIR}/src/app/Startup.cpp
  LIBS zol_engine zol_model zol_excel zol_services)
target_include_directories(tst_startup PRIVATE ${PROJECT_SOURCE_DIR}/src/app)
if(TARGET zol_excel_lo)
  target_link_libraries(tst_startup PRIVATE zol_excel_lo)
  target_compile_definitions(tst_startup PRIVATE ZOL_HAVE_LO_BACKEND)
endif()
