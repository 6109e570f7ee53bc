# Warnings are errors in Tarnwick's own code; third-party targets are left alone.
function(tarnwick_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor)
    # GCC 12 reports a false -Wrestrict inside std::basic_string when it inlines a
    # concatenation of std::u16string at -O3 (the Release build): silenced for that
    # compiler alone, the native one and the mingw-w64 cross one alike.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()
