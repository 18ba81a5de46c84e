# cmake -DNM=<nm> -DMODULE=<file> -P CheckExports.cmake
# Fails unless the module's dynamic symbol table defines exactly PluginMain.
execute_process(COMMAND ${NM} -D --defined-only --format=posix ${MODULE}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${MODULE}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(names)
foreach(line IN LISTS lines)
  string(REGEX REPLACE " .*" "" name "${line}")
  list(APPEND names "${name}")
endforeach()
if(NOT names STREQUAL "PluginMain")
  message(FATAL_ERROR "${MODULE} exports [${names}], expected [PluginMain]")
endif()
