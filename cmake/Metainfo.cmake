# The AppStream metadata, with the maker's web address as its homepage when
# the build is given one (cmake/Website.cmake) and without any URL otherwise.
# Included by the packaging, or run as a script:
#   cmake -DIN=<metainfo.xml.in> -DOUT=<metainfo.xml> [-DWEBSITE=<address>] -P Metainfo.cmake
include(${CMAKE_CURRENT_LIST_DIR}/Website.cmake)

function(zol_make_metainfo in out website)
  zol_check_website("${website}")
  set(ZOL_METAINFO_URLS "")
  if(NOT website STREQUAL "")
    string(REPLACE "&" "&amp;" _url "${website}")
    set(ZOL_METAINFO_URLS "  <url type=\"homepage\">${_url}</url>\n")
  endif()
  configure_file(${in} ${out} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  zol_make_metainfo("${IN}" "${OUT}" "${WEBSITE}")
endif()
