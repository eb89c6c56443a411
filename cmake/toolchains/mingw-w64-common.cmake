# The posix-thread variants of the mingw-w64 compilers, with the C and C++
# run-times linked in statically so the DLL imports only Windows system DLLs.
set(CMAKE_C_COMPILER ${corvalent_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${corvalent_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${corvalent_triplet}-windres)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# libpng and libjpeg come from scripts/build-deps.sh, zlib from libz-mingw-w64-dev.
get_filename_component(corvalent_source_dir ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
if(corvalent_triplet MATCHES "^x86_64")
  set(corvalent_deps ${corvalent_source_dir}/build/deps/win64)
else()
  set(corvalent_deps ${corvalent_source_dir}/build/deps/win32)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${corvalent_triplet} ${corvalent_deps})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${corvalent_source_dir}/scripts/wine-run.sh)
