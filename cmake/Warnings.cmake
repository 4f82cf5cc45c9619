# Every target of the project compiles with the same warning set; a warning is a defect to fix.
# CI builds with QUORELLA_WERROR, so that no warning gets through.
option(QUORELLA_WERROR "Treat every compiler warning as an error" OFF)
function(quorella_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
  if(QUORELLA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
