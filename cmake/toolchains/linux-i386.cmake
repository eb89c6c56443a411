# Static i386 Linux binaries, run under qemu-i386 because this kernel cannot
# execute 32-bit programs itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")

get_filename_component(corvalent_source_dir ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH ${corvalent_source_dir}/build/deps/i386)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_INCLUDE_DIR /usr/include CACHE PATH "")
set(ZLIB_LIBRARY /usr/lib32/libz.a CACHE FILEPATH "")

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
