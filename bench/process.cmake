# A whole Process run against a private LibreOffice on generated 10,000- and
# 100,000-task schedules, next to the office's own open-and-save floor.
# Needs the workbook maker (tools/templates), included by the tests.
if(NOT TARGET zol_workbook_maker)
  include(${CMAKE_SOURCE_DIR}/tools/templates/templates.cmake)
endif()
if(TARGET zol_workbook_maker)
  zol_add_bench(process_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/process_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/process_def.cpp
      ${CMAKE_CURRENT_LIST_DIR}/process_def.h
    LIBS zol_workbook_maker)
  target_compile_definitions(process_bench PRIVATE ZOL_BENCH_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
