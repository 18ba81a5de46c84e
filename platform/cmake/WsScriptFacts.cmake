# ws_add_script_facts(<target> <script.json> [HEADER <file.h>] [CLI_TABLES <file.cpp>])
#
# Writes, when <target> is built and again whenever the script changes, the C++ that names
# the script's facts for the code: the module's header of resource, control and menu names,
# and the command line's field and command tables. The tool is the cartovel-rc of the build
# machine: the one this build makes, or in a cross build the native one.
function(ws_add_script_facts target script)
  cmake_parse_arguments(arg "" "HEADER;CLI_TABLES" "" ${ARGN})
  get_filename_component(script "${script}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  if(TARGET cartovel_rc_native)
    set(tool "${WS_NATIVE_RC}")
    set(tool_depends cartovel_rc_native "${WS_NATIVE_RC}")
  else()
    set(tool cartovel-rc)
    set(tool_depends cartovel-rc)
  endif()
  set(outputs)
  set(options)
  if(arg_HEADER)
    list(APPEND outputs "${arg_HEADER}")
    list(APPEND options --header "${arg_HEADER}")
  endif()
  if(arg_CLI_TABLES)
    list(APPEND outputs "${arg_CLI_TABLES}")
    list(APPEND options --cli-tables "${arg_CLI_TABLES}")
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${tool} "${script}" ${options}
    DEPENDS ${tool_depends} "${script}"
    COMMENT "Naming the resources of ${script}"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${outputs})
endfunction()
