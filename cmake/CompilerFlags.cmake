# Every build computes the same doubles: no fused multiply-add anywhere, and
# 32-bit x86 uses SSE2 arithmetic instead of the x87 stack (toolchain files).
add_compile_options(-ffp-contract=off)

# Warnings for our own targets only; third-party code keeps its own flags.
function(corvalent_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wnull-dereference -Wdouble-promotion -Wformat=2)
  if(CORVALENT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
