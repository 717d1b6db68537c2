# The sample Data Source File, copied beside the executable as
# <build>/bin/Samples/.
if(NOT TARGET zol_samples)
  file(GLOB _zol_sample_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.xlsx)
  set(_zol_sample_outputs)
  foreach(_f ${_zol_sample_files})
    get_filename_component(_n ${_f} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/Samples/${_n}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_f} ${CMAKE_BINARY_DIR}/bin/Samples/${_n}
      DEPENDS ${_f} VERBATIM)
    list(APPEND _zol_sample_outputs ${CMAKE_BINARY_DIR}/bin/Samples/${_n})
  endforeach()
  add_custom_target(zol_samples ALL DEPENDS ${_zol_sample_outputs})
endif()
