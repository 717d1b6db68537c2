# The program's way from its launch to the main form, next to the splash's
# minimum time.
if(TARGET zol_startup)
  zol_add_bench(startup_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp LIBS zol_startup)
endif()
