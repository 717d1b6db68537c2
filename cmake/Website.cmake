# The maker's web address: shown and opened by the About form, and the
# homepage of the AppStream metadata and of the Debian package. Left empty,
# none is shipped anywhere and the About form's links open the User Manual.
# An address that can never be reached would be a dead link in a software
# centre, so reserved names are refused.
function(zol_check_website address)
  if(address STREQUAL "")
    return()
  endif()
  if(NOT address MATCHES "^https?://([A-Za-z0-9.-]+)(:[0-9]+)?(/[^ \t\"<>]*)?$")
    message(FATAL_ERROR "ZOL_MAKER_WEBSITE is not an http or https address: '${address}'")
  endif()
  string(TOLOWER "${CMAKE_MATCH_1}" _host)
  if(_host MATCHES "(^|\\.)(invalid|test|example|localhost)\\.?$")
    message(FATAL_ERROR "ZOL_MAKER_WEBSITE names a host that can never be reached: '${address}' "
                        "(leave it empty to ship no web address)")
  endif()
endfunction()
