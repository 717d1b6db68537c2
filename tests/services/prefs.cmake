# User preferences, form placement records and the single-instance guard.
zol_add_test(tst_prefs SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_prefs.cpp LIBS zol_services)
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/tst_wm.cpp)
  zol_add_test(tst_wm SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wm.cpp LIBS zol_services)
endif()

# The guard is tried between real processes: the probe plays the program.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/tst_guard.cpp)
  add_executable(guard_probe ${CMAKE_CURRENT_LIST_DIR}/guard_probe.cpp)
  target_link_libraries(guard_probe PRIVATE zol_services)
  target_include_directories(guard_probe PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(guard_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
  zol_add_test(tst_guard SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_guard.cpp LIBS zol_services TIMEOUT 120)
  add_dependencies(tst_guard guard_probe)
endif()
