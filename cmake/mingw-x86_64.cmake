# The 64-bit twin of the Windows build: the same programs and tests, for hosts
# that run no 32-bit code. Releases ship the 32-bit programs only.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SETUP_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
