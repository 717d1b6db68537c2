# The main form's placement record across program starts, under two window
# managers whose frames differ (private Xvfb displays with openbox and with
# metacity). Each start is a process of its own.
zol_add_test(tst_wm_main_restart
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wm_main_restart.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
          ${CMAKE_SOURCE_DIR}/tests/WmDisplay.h
  LIBS zol_forms zol_wm_display TIMEOUT 600)
