# Cross-compiles the 64-bit Windows build with MinGW-w64. The posix thread model gives
# std::thread and std::mutex (GoogleTest needs them); the C and C++ runtimes and winpthread are
# linked statically so that the DLL and the test programs need nothing but system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ARP_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ARP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ARP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ARP_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ARP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
