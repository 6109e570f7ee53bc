# Warnings are errors in Tarnwick's own code; third-party targets are left alone.
function(tarnwick_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor)
  endif()
endfunction()
