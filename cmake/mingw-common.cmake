# What both mingw-w64 cross-builds share; the toolchain files set
# LUMETTO_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR, then include this.
set(CMAKE_SYSTEM_NAME Windows)
# The posix-thread compilers: the win32-thread ones have no std::mutex.
set(CMAKE_C_COMPILER ${LUMETTO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMETTO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMETTO_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LUMETTO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: every binary runs on a bare Windows without extra DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
