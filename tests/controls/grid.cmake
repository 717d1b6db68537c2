# The grid control and the rotated label.
set(_grid_libs zol_controls Qt6::Widgets)
zol_add_test(tst_grid_model SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_grid_model.cpp ${CMAKE_CURRENT_LIST_DIR}/gridtestutil.h LIBS ${_grid_libs})

# Renders grids in several states to PNG files for a person to look at; not a test.
add_executable(grid_gallery ${CMAKE_CURRENT_LIST_DIR}/grid_gallery.cpp)
target_link_libraries(grid_gallery PRIVATE ${_grid_libs})
set_target_properties(grid_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
zol_add_test(tst_grid_paint SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_grid_paint.cpp ${CMAKE_CURRENT_LIST_DIR}/gridtestutil.h LIBS ${_grid_libs})
zol_add_test(tst_grid_input SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_grid_input.cpp ${CMAKE_CURRENT_LIST_DIR}/gridtestutil.h LIBS ${_grid_libs})
zol_add_test(tst_grid_size SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_grid_size.cpp ${CMAKE_CURRENT_LIST_DIR}/gridtestutil.h LIBS ${_grid_libs})
