# cartovel_add_areas([EXCEPT <folder>...]): adds every folder beside the calling list that
# has a CMakeLists.txt, in name order, but the folders named; a new area needs no edit.
function(cartovel_add_areas)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "EXCEPT")
  file(GLOB area_lists RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT area_lists)
  foreach(area_list IN LISTS area_lists)
    get_filename_component(area ${area_list} DIRECTORY)
    if(NOT area IN_LIST arg_EXCEPT)
      add_subdirectory(${area})
    endif()
  endforeach()
endfunction()
