# Installation and the Debian package.
#
# <prefix>/lib/tarvo-zol-lumo holds the executable; <prefix>/bin/tarvo-zol-lumo
# starts it. The templates and the sample go to <prefix>/share/tarvo-zol-lumo,
# the Help documents' folders (Tutorial/, User_Manual/, White_Paper/) to
# <prefix>/share/doc/tarvo-zol-lumo; the program finds both from its
# executable's folder (cmake/InstallLayout.cmake). The desktop entry, the
# AppStream metadata, the icons and the manual page go where desktops and man
# look for them.
set_target_properties(Tarvo_ZOL_Lumo PROPERTIES INSTALL_RPATH "${LO_PROGRAM_DIR}")
install(TARGETS Tarvo_ZOL_Lumo RUNTIME DESTINATION ${ZOL_INSTALL_DIR})
foreach(folder Templates Samples)
  install(DIRECTORY ${ZOL_PROGRAM_DIR}/${folder} DESTINATION ${ZOL_INSTALL_DATA_DIR})
endforeach()
foreach(folder Tutorial User_Manual White_Paper)
  # Built only where the office is found at configure time.
  install(DIRECTORY ${ZOL_PROGRAM_DIR}/${folder} DESTINATION ${ZOL_INSTALL_DOC_DIR} OPTIONAL)
endforeach()
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  file(CREATE_LINK ../${ZOL_INSTALL_DIR}/Tarvo_ZOL_Lumo \"\${_bin}/tarvo-zol-lumo\" SYMBOLIC)
")
set(_zol_desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
install(FILES ${_zol_desktop}/tarvo-zol-lumo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
include(${CMAKE_CURRENT_LIST_DIR}/Metainfo.cmake)
zol_make_metainfo(${_zol_desktop}/com.kelvane.tarvo_zol_lumo.metainfo.xml.in
                  ${CMAKE_BINARY_DIR}/packaging/com.kelvane.tarvo_zol_lumo.metainfo.xml "${ZOL_MAKER_WEBSITE}")
install(FILES ${CMAKE_BINARY_DIR}/packaging/com.kelvane.tarvo_zol_lumo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_zol_desktop}/tarvo-zol-lumo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${ZOL_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The manual page and the changelog, compressed as Debian wants them (best
# compression, no name or time stamp, so the package builds reproducibly).
find_program(ZOL_GZIP gzip REQUIRED)
set(_zol_pkg ${CMAKE_BINARY_DIR}/packaging)
set(_zol_gz)
foreach(_pair "resources/man/tarvo-zol-lumo.1|tarvo-zol-lumo.1.gz" "packaging/changelog|changelog.gz")
  string(REPLACE "|" ";" _pair "${_pair}")
  list(GET _pair 0 _src)
  list(GET _pair 1 _out)
  add_custom_command(OUTPUT ${_zol_pkg}/${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_zol_pkg}
    COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${ZOL_GZIP} ${CMAKE_SOURCE_DIR}/${_src} ${_zol_pkg}/${_out}
    DEPENDS ${CMAKE_SOURCE_DIR}/${_src}
    VERBATIM)
  list(APPEND _zol_gz ${_zol_pkg}/${_out})
endforeach()
add_custom_target(zol_packaging_files ALL DEPENDS ${_zol_gz})
install(FILES ${_zol_pkg}/tarvo-zol-lumo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_zol_pkg}/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${ZOL_INSTALL_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tarvo-zol-lumo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvo-zol-lumo)
set(CPACK_PACKAGE_VENDOR Kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "project controls: S curves, histograms and a Project Summary")
# The long description (cpack puts the summary before it); its lines stay
# under 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tarvo ZOL Lumo computes Baseline, Actual and Target S curves and histograms
of man hours and cost, and a Project Summary, from a project schedule held
in a spreadsheet worksheet, and writes them as charts and tables into a
workbook made from its own template.
.
It drives LibreOffice Calc, run headless with a private profile, as its
spreadsheet server, and shows the result in LibreOffice Calc.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kelvane <support@kelvane.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# A homepage only when the build is given a real one.
if(NOT ZOL_MAKER_WEBSITE STREQUAL "")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZOL_MAKER_WEBSITE}")
endif()
# The libraries' packages and versions come from dpkg-shlibdeps; the rest is
# what the program starts or opens: the office (one with a window first, so
# the Output File can be viewed), Qt's platform plugins, the font the
# templates name, and xdg-open for the Help documents and the Output File.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libreoffice-calc | libreoffice-calc-nogui, fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme")
include(CPack)
