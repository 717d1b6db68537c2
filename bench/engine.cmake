# The engine core on a large schedule: the whole calculation, the per-day
# series alone, and the day-by-day method for the ratio.
zol_add_bench(engine_core_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine_core_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/engine_schedule.h
  LIBS zol_engine_core)
target_include_directories(engine_core_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../tests/engine)

# The per-day series next to a numpy version on the same input.
add_executable(day_series_compare ${CMAKE_CURRENT_LIST_DIR}/day_series_compare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine_schedule.h)
target_link_libraries(day_series_compare PRIVATE zol_engine_core)
target_include_directories(day_series_compare PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../tests/engine)
target_compile_definitions(day_series_compare PRIVATE ZOL_BENCH_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
set_target_properties(day_series_compare PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
