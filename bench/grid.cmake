# Paint, scroll and move times of the grid at 100 and 100,000 rows (offscreen).
zol_add_bench(bench_grid SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_paint.cpp LIBS zol_controls Qt6::Widgets)
