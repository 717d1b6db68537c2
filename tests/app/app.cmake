zol_add_test(tst_startup
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_startup.cpp
  LIBS zol_startup)

# Start-up between real processes: the probe runs the program's start-up.
add_executable(startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE zol_startup)
target_include_directories(startup_probe PRIVATE ${CMAKE_SOURCE_DIR}/tests)
set_target_properties(startup_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
add_dependencies(tst_startup startup_probe)
zol_add_test(tst_startup_process SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_startup_process.cpp
             LIBS Qt6::Core TIMEOUT 180)
add_dependencies(tst_startup_process startup_probe)
