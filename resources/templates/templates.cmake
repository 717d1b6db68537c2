# The program's report templates, copied beside the executable as
# <build>/bin/Templates/ (the folder the program looks in for its own).
if(NOT TARGET zol_templates)
  file(GLOB _zol_template_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.xls ${CMAKE_CURRENT_LIST_DIR}/*.xlsx)
  set(_zol_template_outputs)
  foreach(_f ${_zol_template_files})
    get_filename_component(_n ${_f} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/Templates/${_n}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_f} ${CMAKE_BINARY_DIR}/bin/Templates/${_n}
      DEPENDS ${_f} VERBATIM)
    list(APPEND _zol_template_outputs ${CMAKE_BINARY_DIR}/bin/Templates/${_n})
  endforeach()
  add_custom_target(zol_templates ALL DEPENDS ${_zol_template_outputs})
endif()
