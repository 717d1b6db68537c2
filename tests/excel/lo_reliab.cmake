# The LibreOffice backend under faults: a server stopped, killed or hung in
# the middle of a call, a full disk, leftovers of dead runs, a tall block
# cleared at once. Each test starts its own private servers.

# A folder that stops answering, or a share that goes away: the test's own
# FUSE file system (libfuse3), under a real server for tst_lo_stuck. Without
# libfuse3 the tests that need it say so and skip.
set(stall_fs_env "")
if(TARGET zol_excel_lo)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(FUSE3 QUIET IMPORTED_TARGET fuse3)
  endif()
  if(FUSE3_FOUND)
    enable_language(C)
    add_executable(zol_stall_fs ${CMAKE_CURRENT_LIST_DIR}/stall_fs.c)
    target_link_libraries(zol_stall_fs PRIVATE PkgConfig::FUSE3)
    set_target_properties(zol_stall_fs PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin AUTOMOC OFF)
    set(stall_fs_env ZOL_STALL_FS=$<TARGET_FILE:zol_stall_fs>)
  endif()
endif()

if(TARGET zol_lo_fixtures)
  foreach(t tst_lo_clear tst_lo_calls)
    zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp LIBS zol_lo_fixtures TIMEOUT 600 LABELS office)
  endforeach()
  zol_add_test(tst_lo_files SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lo_files.cpp LIBS zol_lo_fixtures
    ENV ${stall_fs_env} TIMEOUT 600 LABELS office)
  if(TARGET zol_stall_fs)
    add_dependencies(tst_lo_files zol_stall_fs)
  endif()
endif()

if(TARGET zol_lo_fixtures)
  zol_add_test(tst_lo_stuck SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lo_stuck.cpp LIBS zol_lo_fixtures
    ENV LO_FIXTURES_DIR=${CMAKE_BINARY_DIR}/tests/lo_fixtures ${stall_fs_env} TIMEOUT 600 LABELS office)
  set_tests_properties(tst_lo_stuck PROPERTIES FIXTURES_REQUIRED lo_fixtures)
  if(FUSE3_FOUND)
    add_dependencies(tst_lo_stuck zol_stall_fs)
  endif()
endif()

# The call runner alone, over plain processes in place of a server (and one
# held by the stalling file system).
if(TARGET zol_excel_lo)
  zol_add_test(tst_lo_runner SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_lo_runner.cpp LIBS zol_excel_lo
    ENV ${stall_fs_env} TIMEOUT 120)
  if(TARGET zol_stall_fs)
    add_dependencies(tst_lo_runner zol_stall_fs)
  endif()
endif()
