# The installed layout, as seen from the executable's folder: the engine library in the
# package's private library folder, the supplied data under the shared data folder.
# Sets RYBOWID_INSTALL_PATH_DEFINITIONS for the file that resolves the program's paths.
include(GNUInstallDirs)
file(RELATIVE_PATH _engine_from_bin /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR}/rybowid)
file(RELATIVE_PATH _share_from_bin /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_DATADIR}/rybowid)
set(RYBOWID_INSTALL_PATH_DEFINITIONS RYBOWID_ENGINE_FROM_BIN="${_engine_from_bin}"
                                     RYBOWID_SHARE_FROM_BIN="${_share_from_bin}")
