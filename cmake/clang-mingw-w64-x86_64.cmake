# Cross-building the Windows program with clang for the x86_64-w64-mingw32 target, over the
# headers and libraries of MinGW-w64's GCC cross compiler (its libstdc++ with posix threads),
# static runtime. A second compiler beside GCC, as MSVC cannot run here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LANDOU_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${LANDOU_TRIPLE})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${LANDOU_TRIPLE})
set(CMAKE_RC_COMPILER ${LANDOU_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${LANDOU_TRIPLE}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${LANDOU_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not find GCC's library in a folder named by version and thread model ("12-posix").
file(GLOB LANDOU_GCC_FOLDERS /usr/lib/gcc/${LANDOU_TRIPLE}/*-posix)
list(GET LANDOU_GCC_FOLDERS 0 LANDOU_GCC)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${LANDOU_GCC}/include/c++ -isystem ${LANDOU_GCC}/include/c++/${LANDOU_TRIPLE} -isystem ${LANDOU_GCC}/include/c++/backward")
# -pthread: the posix threads of winpthread in the group of runtime libraries that need them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -pthread -L${LANDOU_GCC}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -pthread -L${LANDOU_GCC}")
