# The Debian package and the install layout (tests/app/check_package.sh).
# The probe sits beside the program's executable, as the program's rules
# expect; it is not installed.
if(TARGET Tarvo_ZOL_Lumo)
  add_executable(zol_paths_probe ${CMAKE_CURRENT_LIST_DIR}/paths_probe.cpp)
  target_link_libraries(zol_paths_probe PRIVATE zol_services)
  set_target_properties(zol_paths_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZOL_PROGRAM_DIR})
  add_test(NAME pkg_debian
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_package.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:zol_paths_probe>)
  set_tests_properties(pkg_debian PROPERTIES TIMEOUT 600 LABELS package)
endif()
