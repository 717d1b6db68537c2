# The configuration-errors form's Auto Size under two real window managers
# (private Xvfb displays), on a large and on a small screen.
foreach(wm openbox metacity)
  foreach(screen 1280x1024 800x560)
    string(REPLACE "x" ";" wh ${screen})
    list(GET wh 0 w)
    list(GET wh 1 h)
    set(t tst_wm_cfgerr_${wm}_${w})
    zol_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wm_cfgerr.cpp ${CMAKE_CURRENT_LIST_DIR}/ProcessFormsEnv.h
      ${CMAKE_SOURCE_DIR}/tests/WmDisplay.h LIBS zol_forms zol_wm_display TIMEOUT 300)
    target_include_directories(${t} PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/tests
      ${CMAKE_SOURCE_DIR}/tests/services/forms ${CMAKE_SOURCE_DIR}/tests/engine)
    target_compile_definitions(${t} PRIVATE ZOL_TEST_SCREEN_W=${w} ZOL_TEST_SCREEN_H=${h})
    if(wm STREQUAL "metacity")
      target_compile_definitions(${t} PRIVATE ZOL_TEST_UNDER_METACITY=1)
    endif()
  endforeach()
endforeach()
