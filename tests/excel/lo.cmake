# The LibreOffice backend: its text helpers, and tests against a real headless
# server. Each office test starts one private server of its own and ends it;
# the workbooks they read are made by the project's own fixture maker, in the
# test's own folder (but for the encrypted .xlsx the office cannot write,
# committed in fixtures/ and copied there).
if(TARGET zol_excel_lo)
  add_library(zol_lo_fixtures STATIC ${CMAKE_CURRENT_LIST_DIR}/lo_fixtures.cpp ${CMAKE_CURRENT_LIST_DIR}/lo_fixtures.h)
  target_include_directories(zol_lo_fixtures PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/tests)
  # The committed encrypted .xlsx (fixtures/), also for make_fixtures run by hand.
  target_compile_definitions(zol_lo_fixtures PRIVATE ZOL_TEST_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(zol_lo_fixtures PUBLIC zol_excel_lo)

  zol_add_test(tst_lo_text SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lo_text.cpp LIBS zol_excel_lo)
  zol_add_test(tst_xlsx_numfmts SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_xlsx_numfmts.cpp
    LIBS zol_excel_lo PkgConfig::LIBZIP)

  # Writes the fixtures into a folder for a look: make_fixtures <folder>.
  add_executable(make_fixtures ${CMAKE_CURRENT_LIST_DIR}/make_fixtures.cpp)
  target_link_libraries(make_fixtures PRIVATE zol_lo_fixtures)
  set_target_properties(make_fixtures PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)

  foreach(t tst_lo_read tst_lo_write tst_lo_life tst_lo_layer tst_lo_spare)
    if(NOT EXISTS ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp)
      continue()
    endif()
    zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp LIBS zol_lo_fixtures TIMEOUT 600 LABELS office)
  endforeach()
endif()
