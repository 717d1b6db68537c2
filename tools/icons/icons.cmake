# The program's icon as PNG files in the hicolor theme's sizes, painted by
# the program's own artwork code (<build>/icons/hicolor/<n>x<n>/apps/).
if(NOT TARGET make_icons)
  add_executable(make_icons ${CMAKE_CURRENT_LIST_DIR}/make_icons.cpp
                 ${CMAKE_SOURCE_DIR}/src/forms/common/Artwork.cpp ${CMAKE_SOURCE_DIR}/src/forms/common/Artwork.h)
  target_include_directories(make_icons PRIVATE ${CMAKE_SOURCE_DIR}/src/forms/common)
  target_link_libraries(make_icons PRIVATE Qt6::Gui)
  set_target_properties(make_icons PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  set(ZOL_ICON_SIZES 16 22 24 32 48 64 128 256)
  set(ZOL_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
  set(_zol_icon_outputs)
  foreach(_s ${ZOL_ICON_SIZES})
    list(APPEND _zol_icon_outputs ${ZOL_ICON_DIR}/${_s}x${_s}/apps/tarvo-zol-lumo.png)
  endforeach()
  add_custom_command(OUTPUT ${_zol_icon_outputs}
    COMMAND make_icons ${ZOL_ICON_DIR} tarvo-zol-lumo ${ZOL_ICON_SIZES}
    DEPENDS make_icons
    COMMENT "Painting the program's icons"
    VERBATIM)
  add_custom_target(zol_icons ALL DEPENDS ${_zol_icon_outputs})
endif()
