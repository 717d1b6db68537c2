# The LibreOffice backend against a real headless server: column reads and a
# report-sized write and save. Built, not run by CI.
if(TARGET zol_excel_lo)
  zol_add_bench(bench_lo_read SOURCES ${CMAKE_CURRENT_LIST_DIR}/lo_read.cpp ${CMAKE_CURRENT_LIST_DIR}/lo_bench.h
    LIBS zol_excel_lo)
  zol_add_bench(bench_lo_write SOURCES ${CMAKE_CURRENT_LIST_DIR}/lo_write.cpp ${CMAKE_CURRENT_LIST_DIR}/lo_bench.h
    LIBS zol_excel_lo)
endif()
