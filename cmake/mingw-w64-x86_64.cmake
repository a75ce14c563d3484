# Cross build for 64-bit Windows with Debian's MinGW-w64 (the -posix thread model, so std::thread and
# std::mutex work). Test executables run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The static zlib, so the program needs no DLL beside it (FindZLIB honours ZLIB_USE_STATIC_LIBS too).
set(ZLIB_USE_STATIC_LIBS ON)
set(ZLIB_INCLUDE_DIR /usr/${QM_MINGW_TRIPLE}/include CACHE PATH "")
set(ZLIB_LIBRARY /usr/${QM_MINGW_TRIPLE}/lib/libz.a CACHE FILEPATH "")

# Everything the compiler brings (libgcc, libstdc++, winpthread) is linked in as well.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
