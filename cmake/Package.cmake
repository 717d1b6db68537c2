# Installation and the Debian package.
#
# The program folder (the executable with Templates/, Samples/ and the
# documents' folders Tutorial/, User_Manual/, White_Paper/ beside it, as the
# build's program folder holds them) goes to <prefix>/lib/tarvo-zol-lumo;
# <prefix>/bin/tarvo-zol-lumo starts it; the desktop entry and the icon go
# where desktops look for them.
include(GNUInstallDirs)
set(ZOL_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/tarvo-zol-lumo)
# The office's libraries live in its own program folder.
set_target_properties(Tarvo_ZOL_Lumo PROPERTIES INSTALL_RPATH "${LO_PROGRAM_DIR}")
install(TARGETS Tarvo_ZOL_Lumo RUNTIME DESTINATION ${ZOL_INSTALL_DIR})
foreach(folder Templates Samples Tutorial User_Manual White_Paper)
  # Whatever the build placed there; a folder not built yet is skipped.
  install(DIRECTORY ${ZOL_PROGRAM_DIR}/${folder} DESTINATION ${ZOL_INSTALL_DIR} OPTIONAL)
endforeach()
install(CODE "
  set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${_bin}\")
  file(CREATE_LINK ../${ZOL_INSTALL_DIR}/Tarvo_ZOL_Lumo \"\${_bin}/tarvo-zol-lumo\" SYMBOLIC)
")
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/tarvo-zol-lumo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/tarvo-zol-lumo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvo-zol-lumo)
set(CPACK_PACKAGE_VENDOR Kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Project controls: S curves, histograms and a Project Summary")
set(CPACK_PACKAGE_DESCRIPTION "Tarvo ZOL Lumo computes Baseline, Actual and Target S curves and histograms of man hours and cost, and a Project Summary, from a project schedule held in a spreadsheet worksheet. It drives LibreOffice Calc, run headless, as its spreadsheet server.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kelvane <support@kelvane.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6, libstdc++6, libgcc-s1, libqt6core6, libqt6gui6, libqt6widgets6, libqt6network6, libqt6dbus6, qt6-qpa-plugins, libjpeg62-turbo, libuno-cppu3, libuno-cppuhelpergcc3-3, libuno-sal3, libuno-salhelpergcc3-3, uno-libs-private, libreoffice-calc-nogui | libreoffice-calc, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme")
include(CPack)
