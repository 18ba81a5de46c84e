# Warnings are errors on the project's own targets only.
function(cartovel_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor -Wno-multichar)
endfunction()
