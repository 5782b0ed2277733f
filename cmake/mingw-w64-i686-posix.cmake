# The same cross-build with the posix-thread-model compiler, which GoogleTest needs.
set(MINGW_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-i686.cmake)
