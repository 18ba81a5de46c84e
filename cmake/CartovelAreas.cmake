# Adds every folder below the current one that has a CMakeLists.txt, in name order, save
# those named after EXCEPT: a new area is picked up without being listed.
#   cartovel_add_area_folders([EXCEPT <folder>...])
function(cartovel_add_area_folders)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "EXCEPT")
  file(GLOB area_lists RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT area_lists)
  foreach(list IN LISTS area_lists)
    get_filename_component(dir ${list} DIRECTORY)
    if(NOT dir IN_LIST arg_EXCEPT)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
