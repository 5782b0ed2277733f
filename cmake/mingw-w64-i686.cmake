# Cross-build for 32-bit Windows with MinGW-w64. The product uses the
# win32-thread-model compiler: the posix one pulls Vista-only imports into a
# static program. Set MINGW_THREAD_MODEL to posix (as the tests do) to switch.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
if(NOT MINGW_THREAD_MODEL)
  set(MINGW_THREAD_MODEL win32)
endif()
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${MINGW_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${MINGW_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
