# ws_add_windows_resources(<target> <script.json>)
#
# For builds that make Windows programs: translates the resource script into a Windows
# resource script (with the pictures and data beside it) when the target is built, again
# whenever the script or a file it names changes, and compiles that into the target with
# the build's resource compiler. The translator is cartovel-rc built for the build machine,
# as a project of its own, since the build's compiler makes programs for Windows.
include(ExternalProject)
find_program(CARTOVEL_HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(WS_NATIVE_RC ${CMAKE_BINARY_DIR}/native/rc/cartovel-rc)
ExternalProject_Add(cartovel_rc_native
  SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools/rc
  BINARY_DIR ${CMAKE_BINARY_DIR}/native/rc
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CARTOVEL_HOST_CXX}
             -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
  INSTALL_COMMAND ""
  # Its own build decides whether anything changed.
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${WS_NATIVE_RC})

include(${CMAKE_CURRENT_LIST_DIR}/WsScriptFacts.cmake)

function(ws_add_windows_resources target script)
  get_filename_component(script "${script}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
  add_custom_command(
    OUTPUT "${rc}"
    COMMAND "${WS_NATIVE_RC}" "${script}" --windows-rc "${rc}" --depfile "${rc}.d"
    DEPENDS cartovel_rc_native "${WS_NATIVE_RC}" "${script}"
    DEPFILE "${rc}.d"
    COMMENT "Translating the resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
