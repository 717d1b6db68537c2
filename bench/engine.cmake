# The engine core on a large schedule: the whole calculation, the per-day
# series alone, and the day-by-day method for the ratio.
zol_add_bench(engine_core_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine_core_bench.cpp
  LIBS zol_engine_core)
target_include_directories(engine_core_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../tests/engine)
