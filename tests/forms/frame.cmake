# The main form's frame, its page protocol, texts and layout, and the splash.
zol_add_test(tst_main_frame
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_main_frame.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
          ${CMAKE_CURRENT_LIST_DIR}/StandInOpener.h
  LIBS zol_forms)
add_executable(main_gallery ${CMAKE_CURRENT_LIST_DIR}/main_gallery.cpp)
target_link_libraries(main_gallery PRIVATE zol_forms)
set_target_properties(main_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
zol_add_test(tst_main_layout
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_main_layout.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
  LIBS zol_forms)
zol_add_test(tst_fit_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_fit_rules.cpp LIBS zol_forms_rules)
zol_add_test(tst_splash
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_splash.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
  LIBS zol_forms)
# Placement under a real window manager: a private Xvfb display with openbox.
zol_add_test(tst_wm_small_screen
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wm_small_screen.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
          ${CMAKE_SOURCE_DIR}/tests/WmDisplay.h
  LIBS zol_forms zol_wm_display TIMEOUT 300)
zol_add_test(tst_wm_browse
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wm_browse.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
          ${CMAKE_SOURCE_DIR}/tests/WmDisplay.h
  LIBS zol_forms zol_wm_display TIMEOUT 300)
