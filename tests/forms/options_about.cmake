# The Options dialog, the About form and the Help menu's documents opener.
set(_oa_env ${CMAKE_SOURCE_DIR}/tests/services/forms)
zol_add_test(tst_about_form SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_about_form.cpp LIBS zol_forms)
target_include_directories(tst_about_form PRIVATE ${_oa_env})
zol_add_test(tst_help_menu SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_help_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandInOpener.h LIBS zol_forms)
# Hands a file to the desktop's opener and quits at once.
add_executable(shell_open_quit ${CMAKE_CURRENT_LIST_DIR}/shell_open_quit.cpp)
target_link_libraries(shell_open_quit PRIVATE zol_platform)
set_target_properties(shell_open_quit PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
add_dependencies(tst_help_menu shell_open_quit)
zol_add_test(tst_fixed_form_fit SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_fixed_form_fit.cpp LIBS zol_forms_rules)

# Renders the two forms to PNG for a look: options_about_gallery <folder>.
add_executable(options_about_gallery ${CMAKE_CURRENT_LIST_DIR}/options_about_gallery.cpp)
target_link_libraries(options_about_gallery PRIVATE zol_forms)
target_include_directories(options_about_gallery PRIVATE ${_oa_env})
set_target_properties(options_about_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
zol_add_test(tst_options_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_options_rules.cpp LIBS zol_forms_rules)
if(EXISTS ${CMAKE_SOURCE_DIR}/src/forms/UF_Options.cpp)
  zol_add_test(tst_options_form SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_options_form.cpp LIBS zol_forms)
  target_include_directories(tst_options_form PRIVATE ${_oa_env})
endif()
