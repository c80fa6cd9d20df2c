# Where the installed program's parts go (Filesystem Hierarchy Standard, through GNUInstallDirs), and
# the folders the program derives from its own location: only paths relative to the program's folder
# are compiled in, so an installed tree can move (DESTDIR, a package's /usr) and the build tree keeps
# finding its files beside the programs.
include(GNUInstallDirs)
# The private library folder: lib/<multiarch>/narrix, as Debian places a package's private libraries
# (outside the linker's folders, so no ldconfig run is needed).
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(NARRIX_INSTALL_PKGLIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}/narrix")
else()
  set(NARRIX_INSTALL_PKGLIBDIR "lib/narrix")
endif()
set(NARRIX_INSTALL_PKGDATADIR "${CMAKE_INSTALL_DATADIR}/narrix")
file(RELATIVE_PATH NARRIX_BIN_TO_PKGLIBDIR "/${CMAKE_INSTALL_BINDIR}" "/${NARRIX_INSTALL_PKGLIBDIR}")
file(RELATIVE_PATH NARRIX_BIN_TO_PKGDATADIR "/${CMAKE_INSTALL_BINDIR}" "/${NARRIX_INSTALL_PKGDATADIR}")
