# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, the programs run under Wine.
# The -posix compilers, because the core runs its deflate on std::thread. Everything links statically, so that
# tvk.exe and the test programs run on a bare Windows (or Wine) without DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOVRIK_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TOVRIK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVRIK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVRIK_MINGW}-windres)

# The libraries Debian has no MinGW build of (libdeflate, libjpeg-turbo, GoogleTest) are built from their sources
# by scripts/windows-deps.sh into the build folder's deps/; zlib comes from libz-mingw-w64-dev.
if(NOT TOVRIK_WINDOWS_DEPS)
  set(TOVRIK_WINDOWS_DEPS ${CMAKE_BINARY_DIR}/deps)
endif()
set(CMAKE_FIND_ROOT_PATH ${TOVRIK_WINDOWS_DEPS} /usr/${TOVRIK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only: libz.dll.a (the import library of zlib1.dll) ends in .a too.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TOVRIK_WINDOWS_DEPS)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Test programs (gtest discovery, ctest) start through Wine with a prefix of the build folder's own, so that a
# test run never touches ~/.wine and every clean build starts from a fresh one.
if(NOT TOVRIK_WINE_PREFIX)
  set(TOVRIK_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
endif()
get_filename_component(TOVRIK_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TOVRIK_WINE_RUN} ${TOVRIK_WINE_PREFIX})
