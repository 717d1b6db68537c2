# The LibreOffice backend: its text helpers, and tests against a real headless
# server. Each office test starts one private server of its own and ends it;
# the workbooks they read are made by the project's own fixture maker first.
if(TARGET zol_excel_lo)
  set(LO_FIXTURES_DIR ${CMAKE_BINARY_DIR}/tests/lo_fixtures)

  add_library(zol_lo_fixtures STATIC ${CMAKE_CURRENT_LIST_DIR}/lo_fixtures.cpp ${CMAKE_CURRENT_LIST_DIR}/lo_fixtures.h)
  target_include_directories(zol_lo_fixtures PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(zol_lo_fixtures PUBLIC zol_excel_lo)

  zol_add_test(tst_lo_text SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lo_text.cpp LIBS zol_excel_lo)
  zol_add_test(tst_xlsx_numfmts SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_xlsx_numfmts.cpp
    LIBS zol_excel_lo PkgConfig::LIBZIP)

  zol_add_test(lo_make_fixtures SOURCES ${CMAKE_CURRENT_LIST_DIR}/make_fixtures.cpp LIBS zol_lo_fixtures
    ENV LO_FIXTURES_DIR=${LO_FIXTURES_DIR} TIMEOUT 300 LABELS office)
  set_tests_properties(lo_make_fixtures PROPERTIES FIXTURES_SETUP lo_fixtures)

  foreach(t tst_lo_read tst_lo_write tst_lo_life tst_lo_layer tst_lo_spare)
    if(NOT EXISTS ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp)
      continue()
    endif()
    zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp LIBS zol_lo_fixtures
      ENV LO_FIXTURES_DIR=${LO_FIXTURES_DIR} TIMEOUT 600 LABELS office)
    set_tests_properties(${t} PROPERTIES FIXTURES_REQUIRED lo_fixtures)
  endforeach()

  # After every office test: no server of theirs may be left running.
  add_test(NAME lo_no_server_left
    COMMAND sh -c "if pgrep -a -f 'soffice[.]bin.*${CMAKE_BINARY_DIR}/tests/scratch/(tst_lo_|lo_make_fixtures)'; then echo 'soffice.bin left running'; exit 1; fi")
  set_tests_properties(lo_no_server_left PROPERTIES FIXTURES_CLEANUP lo_fixtures LABELS office TIMEOUT 30)
endif()
