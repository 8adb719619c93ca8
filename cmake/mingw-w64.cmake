# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, the posix threads variant (the
# standard library's std::thread and std::mutex need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VIRELTRA_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VIRELTRA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VIRELTRA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VIRELTRA_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${VIRELTRA_MINGW_TRIPLE}-gcc-ar-posix)
set(CMAKE_RANLIB ${VIRELTRA_MINGW_TRIPLE}-gcc-ranlib-posix)

# Libraries and headers come from the MinGW sysroot and the prefixes given (the cross-built Qt);
# programs (moc, rcc, uic) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VIRELTRA_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
