# Native builds take Debian's packages; cross builds find libpng and libjpeg in
# the prefix that scripts/build-deps.sh fills (see the toolchain files).
if(WIN32 OR CORVALENT_STATIC_DEPS)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)

if(CORVALENT_TESTS)
  if(CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest as source for exactly this: build it with the
    # cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

if(CORVALENT_BENCH)
  find_package(benchmark REQUIRED)
endif()

if(NOT WIN32 AND NOT CORVALENT_STATIC_DEPS)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SNDFILE IMPORTED_TARGET sndfile)
endif()
