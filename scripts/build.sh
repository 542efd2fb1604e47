# Sourced: configures and builds one of the two configurations.
#   setup_build native   the portable core and its tests, with ASan and UBSan
#   setup_build win32    Setup.exe and the Windows tests (MinGW-w64 i686)
setup_build() {
  local jobs; jobs=$(nproc)
  case "$1" in
    native)
      cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DSETUP_SANITIZE=ON "${@:2}" ;;
    win32)
      cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake "${@:2}" ;;
  esac >/dev/null
  cmake --build "build/$1" -j"$jobs"
}
