# Warnings applied to every target of the project (not to third-party code).
function(kinoval_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
  if(KINOVAL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
