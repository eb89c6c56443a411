# A unit-test executable registered with CTest. Cross builds run it through
# CMAKE_CROSSCOMPILING_EMULATOR (wine64 or qemu-i386, from the toolchain file).
function(corvalent_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  corvalent_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()

# A Google Benchmark executable; benchmarks print numbers and never fail a build.
function(corvalent_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  corvalent_warnings(${name})
endfunction()
