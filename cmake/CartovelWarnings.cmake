# Warnings are errors on the project's own targets only.
function(cartovel_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor -Wno-multichar)
  # GCC 12's flow analysis reports overflows inside the standard library's own string and
  # vector code in optimised builds (GCC bugs 105329, 105651); they are not in our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE
      $<$<NOT:$<CONFIG:Debug>>:-Wno-restrict -Wno-stringop-overflow -Wno-array-bounds>)
  endif()
endfunction()
