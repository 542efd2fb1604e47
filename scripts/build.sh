# Sourced: configures and builds one configuration.
#   setup_build native   the portable core and its tests, with ASan and UBSan
#   setup_build win32    Setup.exe and the Windows tests (MinGW-w64 i686): what ships
#   setup_build win64    the same for x86_64: the twin that runs the Windows tests
#                        on hosts that run no 32-bit code
# Both Windows builds run their tests in the one Wine prefix build/wineprefix.
setup_build() {
  local jobs; jobs=$(nproc)
  case "$1" in
    native)
      cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DSETUP_SANITIZE=ON "${@:2}" ;;
    win32)
      cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DSETUP_WINE_PREFIX="$PWD/build/wineprefix" "${@:2}" ;;
    win64)
      cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DSETUP_WINE_PREFIX="$PWD/build/wineprefix" "${@:2}" ;;
  esac >/dev/null
  cmake --build "build/$1" -j"$jobs"
}
