# Installation and the Debian packages.
#
#   <prefix>/bin/cartovel, bin/cartovel-desk       the programs
#   <libdir>/cartovel/libcartovel_platform.so      the window system
#   <libdir>/cartovel/plugins/cartovel.so          the module, found relative to the programs
#   <prefix>/share/cartovel/examples/              the sample maps and their licence notice
#   <prefix>/share/man/man1/, share/bash-completion/completions/, share/doc/<package>/
#
# <libdir> is GNUInstallDirs' (lib, or lib/<multiarch> under /usr). The build tree keeps its
# own layout (bin/, lib/, plugins/); both find each other through run paths relative to
# $ORIGIN, so an installed tree works wherever it is unpacked.
#
# Two packages: `cartovel` (the command line, the module, the samples) and, when the
# desktop program is built, `cartovel-desk`, so that the command line does not pull in Qt.
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(packaged ${PROJECT_BINARY_DIR}/packaging)

set_target_properties(cartovel PROPERTIES INSTALL_RPATH "$ORIGIN/../${CARTOVEL_INSTALL_LIBDIR}")
set_target_properties(cartovel_platform PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(cartovel_plugin PROPERTIES INSTALL_RPATH "$ORIGIN/..")

install(TARGETS cartovel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
install(TARGETS cartovel_platform LIBRARY DESTINATION ${CARTOVEL_INSTALL_LIBDIR}
        NAMELINK_SKIP COMPONENT cli)
# Loaded with dlopen, never run: no execute bits, as for any shared object in a package.
install(TARGETS cartovel_plugin LIBRARY DESTINATION ${CARTOVEL_INSTALL_LIBDIR}/plugins
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ COMPONENT cli)
install(FILES examples/README.md examples/us-states.svg examples/us-counties.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/cartovel/examples COMPONENT cli)
install(FILES ${packaging}/cartovel.bash-completion DESTINATION
        ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME cartovel COMPONENT cli)

# Man pages and the changelog go in gzipped (-n: no name or time stamp, so the package is
# the same from one build to the next).
function(cartovel_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9 -n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

# The man page's list of commands comes from the resource script, as the program's own does.
function(cartovel_man_commands script out_var)
  file(READ ${script} json)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${script})
  string(JSON count LENGTH "${json}" commands)
  math(EXPR last "${count} - 1")
  set(roff "")
  foreach(i RANGE ${last})
    string(JSON name GET "${json}" commands ${i} name)
    string(JSON summary GET "${json}" commands ${i} summary)
    string(REPLACE "-" "\\-" name "${name}")
    string(APPEND roff ".TP\n.B ${name}\n${summary}\n")
    string(JSON fields ERROR_VARIABLE no_fields GET "${json}" commands ${i} panelFields)
    if(no_fields)
      continue()
    endif()
    string(JSON field_count LENGTH "${fields}")
    math(EXPR field_last "${field_count} - 1")
    foreach(j RANGE ${field_last})
      string(JSON field GET "${fields}" ${j} name)
      string(JSON values GET "${fields}" ${j} values)
      string(REPLACE "-" "\\-" field "${field}")
      string(APPEND roff ".br\n.BI \"\\-\\-set ${field}=\" \"${values}\"\n")
    endforeach()
  endforeach()
  set(${out_var} "${roff}" PARENT_SCOPE)
endfunction()
cartovel_man_commands(${PROJECT_SOURCE_DIR}/resources/cartovel.rc.json CARTOVEL_MAN_COMMANDS)

set(programs cartovel)
if(TARGET cartovel-desk)
  list(APPEND programs cartovel-desk)
endif()
# The changelog of a package made from the project's own sources: one entry per version.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(CARTOVEL_MAINTAINER "Cartovel maintainers <cartovel@example.org>")
set(packaged_files)
foreach(program IN LISTS programs)
  if(program STREQUAL "cartovel")
    set(component cli)
  else()
    set(component desk)
  endif()
  configure_file(${packaging}/${program}.1 ${packaged}/${program}.1 @ONLY)
  cartovel_gzip(${packaged}/${program}.1 ${packaged}/${program}.1.gz)
  file(WRITE ${packaged}/${program}.changelog
       "${program} (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
       "  * Release ${PROJECT_VERSION}.\n\n"
       " -- ${CARTOVEL_MAINTAINER}  ${changelog_date}\n")
  cartovel_gzip(${packaged}/${program}.changelog ${packaged}/${program}.changelog.gz)
  list(APPEND packaged_files ${packaged}/${program}.1.gz ${packaged}/${program}.changelog.gz)

  install(FILES ${packaged}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT ${component})
  install(FILES ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${program}
          COMPONENT ${component})
  install(FILES ${packaged}/${program}.changelog.gz DESTINATION
          ${CMAKE_INSTALL_DATADIR}/doc/${program} RENAME changelog.gz COMPONENT ${component})
endforeach()
add_custom_target(cartovel_packaging ALL DEPENDS ${packaged_files})
# Built with the programs, so an install after building only them has its pages.
foreach(program IN LISTS programs)
  add_dependencies(${program} cartovel_packaging)
endforeach()

if(TARGET cartovel-desk)
  set_target_properties(cartovel-desk PROPERTIES
    INSTALL_RPATH "$ORIGIN/../${CARTOVEL_INSTALL_LIBDIR}")
  install(TARGETS cartovel-desk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desk)
  install(FILES ${packaging}/cartovel-desk.bash-completion DESTINATION
          ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME cartovel-desk
          COMPONENT desk)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cartovel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${CARTOVEL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package carries stripped copies; the build tree keeps its debug information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries they link (pugixml, jemalloc, Qt, the C++ runtime) become dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME cartovel)
set(CPACK_COMPONENT_CLI_DESCRIPTION
    "map-making tools for SVG maps on the command line
Cartovel colours the polygons of a map so that no two neighbours share a
colour, rescales finished maps to another scale or paper size, numbers and
files layers, and places text origins. The cartovel program runs each tool on
SVG documents from the command line or a script, with the tools' own dialogs
filled from options. Sample maps of the United States come with it.")
if(TARGET cartovel-desk)
  list(APPEND CPACK_COMPONENTS_ALL desk)
  set(CPACK_DEBIAN_DESK_PACKAGE_NAME cartovel-desk)
  set(CPACK_DEBIAN_DESK_PACKAGE_DEPENDS "cartovel (= ${PROJECT_VERSION})")
  set(CPACK_COMPONENT_DESK_DESCRIPTION
      "map-making tools for SVG maps in a desktop window
cartovel-desk opens an SVG map in a window and runs the Cartovel map-making
tools (polygon colouring, map scaling, layer tools) on it through their own
dialogs and panels, with the same module and preference store as the cartovel
command line.")
endif()
include(CPack)
