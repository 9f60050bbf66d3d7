# Warnings for our own targets; third-party headers come in as system headers.
function(kv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
endfunction()
