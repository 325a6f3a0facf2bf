# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the POSIX thread
# model, which std::thread and GoogleTest need) and runs what it builds under
# Wine, through scripts/wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The static wxMSW that scripts/build-wxmsw.sh keeps in the user's cache lies
# outside the sysroot: it becomes a root too, and its own wx-config is the one
# asked, not the host's GTK one.
if(DUVORA_WX_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH "${DUVORA_WX_PREFIX}")
    set(wxWidgets_CONFIG_EXECUTABLE "${DUVORA_WX_PREFIX}/bin/wx-config" CACHE FILEPATH "" FORCE)
endif()

# Static runtime: the executables then run without the compiler's DLLs on
# Wine's search path, as they would on a user's machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The Wine prefix lives in the build tree, so that a test run never touches
# the user's own ~/.wine.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh;${CMAKE_BINARY_DIR}/wine")
