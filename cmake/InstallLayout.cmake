# Where an installed program lies under its prefix: the executable in a
# private folder, its architecture-independent data (templates, sample) and
# its documents where Debian's layout puts them. The program finds the data
# and documents relative to its executable, so any prefix works.
include(GNUInstallDirs)
set(ZOL_INSTALL_DIR lib/tarvo-zol-lumo)
set(ZOL_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tarvo-zol-lumo)
set(ZOL_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarvo-zol-lumo)
foreach(_what DATA DOC)
  file(RELATIVE_PATH ZOL_${_what}_FROM_EXE /prefix/${ZOL_INSTALL_DIR} /prefix/${ZOL_INSTALL_${_what}_DIR})
endforeach()
