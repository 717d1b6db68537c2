# The documents of the Help menu, written as HTML in this folder and turned
# into PDFs beside the executable (<build>/bin/Tutorial/, User_Manual/,
# White_Paper/) under the names the program looks for. The office runs
# headless with a profile of its own per document inside the build tree, so
# it never touches the user's profile and the three run side by side.
if(NOT TARGET zol_docs)
  find_program(ZOL_SOFFICE_FOR_DOCS soffice)
  if(NOT ZOL_SOFFICE_FOR_DOCS)
    message(WARNING "soffice not found: the Help documents are not built")
    return()
  endif()
  set(_zol_docs
    "Tutorial|Tarvo_ZOL_Lumo_Tutorial"
    "User_Manual|Tarvo_ZOL_Lumo_User_Manual"
    "White_Paper|Pelorine")
  # The style sheet and the pictures the documents use (the HTML names them beside itself).
  file(GLOB _zol_doc_pictures CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.svg ${CMAKE_CURRENT_LIST_DIR}/*.css)
  set(_zol_doc_outputs)
  foreach(_d ${_zol_docs})
    string(REPLACE "|" ";" _parts "${_d}")
    list(GET _parts 0 _folder)
    list(GET _parts 1 _name)
    set(_src ${CMAKE_CURRENT_LIST_DIR}/${_name}.html)
    set(_out ${CMAKE_BINARY_DIR}/bin/${_folder}/${_name}.pdf)
    add_custom_command(OUTPUT ${_out}
      COMMAND ${CMAKE_COMMAND} -DSOFFICE=${ZOL_SOFFICE_FOR_DOCS} -DSRC=${_src}
              -DOUT_DIR=${CMAKE_BINARY_DIR}/bin/${_folder}
              -DPROFILE=${CMAKE_BINARY_DIR}/docs_profiles/${_name}
              -P ${CMAKE_CURRENT_LIST_DIR}/convert.cmake
      DEPENDS ${_src} ${CMAKE_CURRENT_LIST_DIR}/convert.cmake ${_zol_doc_pictures}
      COMMENT "Building the ${_folder} document"
      VERBATIM)
    list(APPEND _zol_doc_outputs ${_out})
  endforeach()
  add_custom_target(zol_docs ALL DEPENDS ${_zol_doc_outputs})
endif()
