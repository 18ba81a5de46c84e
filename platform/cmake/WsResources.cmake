# ws_add_resources(<target> <script.json>)
#
# Compiles the resource script with cartovel-rc when the target is built (again whenever the
# script or a file it names changes) and attaches the blob to the target's output file as
# the ELF section ".ws_resources". The section is not allocated, so the loader never maps it
# and the file stays an ordinary loadable module; the window system reads it from the file.
if(NOT CMAKE_OBJCOPY)
  find_program(CMAKE_OBJCOPY objcopy REQUIRED)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/WsScriptFacts.cmake)

function(ws_add_resources target script)
  get_filename_component(script "${script}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  set(blob "${CMAKE_CURRENT_BINARY_DIR}/${target}.ws_resources")
  set(depfile "${CMAKE_CURRENT_BINARY_DIR}/${target}.ws_resources.d")
  add_custom_command(
    OUTPUT "${blob}"
    COMMAND cartovel-rc "${script}" -o "${blob}" --depfile "${depfile}"
    DEPENDS cartovel-rc "${script}"
    DEPFILE "${depfile}"
    COMMENT "Compiling the resources of ${target}"
    VERBATIM)
  add_custom_target(${target}_ws_resources DEPENDS "${blob}")
  add_dependencies(${target} ${target}_ws_resources)
  # A new blob relinks the target, and every link is followed by the attachment below.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${blob}")
  add_custom_command(
    TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_OBJCOPY}" --remove-section .ws_resources
            --add-section ".ws_resources=${blob}"
            --set-section-flags .ws_resources=contents,readonly
            "$<TARGET_FILE:${target}>"
    COMMENT "Attaching the resources of ${target}"
    VERBATIM)
endfunction()
