# A browse dialog moved by the user's own hand under two real window managers
# (private Xvfb displays), its input played through the X test extension.
find_library(ZOL_X11_LIBRARY X11 REQUIRED)
find_library(ZOL_XTST_LIBRARY Xtst REQUIRED)
find_path(ZOL_XTST_INCLUDE X11/extensions/XTest.h REQUIRED)
foreach(wm openbox metacity)
  zol_add_test(tst_wm_browse_drag_${wm}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wm_browse_drag.cpp ${CMAKE_CURRENT_LIST_DIR}/FormsTestKit.h
            ${CMAKE_SOURCE_DIR}/tests/WmDisplay.h
    LIBS zol_forms ${ZOL_XTST_LIBRARY} ${ZOL_X11_LIBRARY} TIMEOUT 300)
  target_include_directories(tst_wm_browse_drag_${wm} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${ZOL_XTST_INCLUDE})
endforeach()
target_compile_definitions(tst_wm_browse_drag_metacity PRIVATE ZOL_TEST_UNDER_METACITY=1)
