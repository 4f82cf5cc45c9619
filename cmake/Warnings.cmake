# Every target of the project compiles with the same warning set; a warning is a defect to fix.
function(quorella_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
endfunction()
