# Installation and the Debian package.
#
#   <prefix>/bin/cartovel                       the command line
#   <prefix>/lib/cartovel/libcartovel_platform.so  the window system
#   <prefix>/lib/cartovel/plugins/cartovel.so    the module, found by cartovel beside it
#   <prefix>/share/cartovel/examples/            the sample maps and their licence notice
#
# The build tree keeps its own layout (bin/, lib/, plugins/); both find each other through
# run paths relative to $ORIGIN, so an installed tree works wherever it is unpacked.
include(GNUInstallDirs)

set(CARTOVEL_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/cartovel)
set_target_properties(cartovel PROPERTIES INSTALL_RPATH "$ORIGIN/../${CARTOVEL_INSTALL_LIBDIR}")
set_target_properties(cartovel_platform PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(cartovel_plugin PROPERTIES INSTALL_RPATH "$ORIGIN/..")

install(TARGETS cartovel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS cartovel_platform LIBRARY DESTINATION ${CARTOVEL_INSTALL_LIBDIR}
        NAMELINK_SKIP)
install(TARGETS cartovel_plugin LIBRARY DESTINATION ${CARTOVEL_INSTALL_LIBDIR}/plugins)
install(FILES examples/README.md examples/us-states.svg examples/us-counties.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/cartovel/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cartovel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Cartovel maintainers <cartovel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Map-making tools (polygon colouring, map scaling, layer tools) for SVG maps")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries it links (pugixml, jemalloc, the C++ runtime) become dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
include(CPack)
