# The run frame of the engine on the in-memory spreadsheet server.
add_library(zol_process_fixture STATIC ${CMAKE_CURRENT_LIST_DIR}/tst_process_fixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_process_fixture.h)
target_include_directories(zol_process_fixture PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zol_process_fixture PUBLIC zol_engine zol_excel_fake)
foreach(unit run browse)
  zol_add_test(tst_process_${unit} SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_${unit}.cpp
    LIBS zol_process_fixture TIMEOUT 300)
endforeach()

# The template and schedule maker (tools/templates), needed by the office tests.
include(${CMAKE_SOURCE_DIR}/tools/templates/templates.cmake)

# Whole runs against a private headless LibreOffice.
if(TARGET zol_workbook_maker)
  zol_add_test(tst_process_office SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_process_office.cpp
    LIBS zol_process_fixture zol_workbook_maker TIMEOUT 900 LABELS office)
  target_compile_definitions(tst_process_office PRIVATE ZOL_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_include_directories(tst_process_office PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endif()

# The program's templates and sample beside the test programs' executable
# folder (the top level includes the same files for the program itself).
include(${CMAKE_SOURCE_DIR}/resources/templates/templates.cmake)
include(${CMAKE_SOURCE_DIR}/resources/samples/samples.cmake)
