# The engine's arithmetic core, tested alone.
foreach(unit filter validate dates series totals)
  zol_add_test(tst_engine_${unit}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_engine_${unit}.cpp ${CMAKE_CURRENT_LIST_DIR}/tst_engine_support.h
    LIBS zol_engine_core)
endforeach()
