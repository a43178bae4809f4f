#!/usr/bin/env bash
# Builds the libraries of the Windows build (SDL2, SDL2_mixer, FreeType,
# libepoxy, GoogleTest) from Debian's own source packages with Debian's
# mingw-w64, once, into a cache folder named after their versions and this
# recipe, and prints that folder. Later runs find it ready and only print it.
#   scripts/windows-libs.sh            build when missing, print the folder
#   scripts/windows-libs.sh --folder   print the folder it would use, build nothing
# Every library is static, so that the game and its tools are single files.
# Nothing is fetched but Debian's source packages (the deb-src line for
# bookworm is added when missing, as root).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$top/cmake/toolchain-mingw64.cmake"
jobs=$(nproc)

sources=(libsdl2 libsdl2-mixer freetype libepoxy googletest)
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/velmora-windows"

say() { echo "windows-libs: $*" >&2; }
source "$top/scripts/cross-libs.sh"

cross_versions "${sources[@]}"
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none)
# The toolchain file is left out of the key: it names the compilers, which
# the key holds.
cross_prefix "$compiler" ""

if [ "${1:-}" = "--folder" ]; then echo "$prefix"; exit 0; fi
if [ -e "$prefix/ready" ]; then echo "$prefix"; exit 0; fi
if [ "$compiler" = none ]; then
  say "x86_64-w64-mingw32-g++-posix is missing (Debian package mingw-w64)"
  exit 1
fi

cross_begin
cross_fetch "${sources[@]}"

cmake_build() {  # source folder, build name, options...
  local src=$1 name=$2; shift 2
  say "building $name"
  cmake -S "$src" -B "$work/build-$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELMORA_WINDOWS_LIBS="$stage" \
    -DCMAKE_INSTALL_PREFIX="$stage" -DBUILD_SHARED_LIBS=OFF "$@" > "$work/build-$name.log" 2>&1 &&
  cmake --build "$work/build-$name" -j "$jobs" >> "$work/build-$name.log" 2>&1 &&
  cmake --install "$work/build-$name" >> "$work/build-$name.log" 2>&1 || {
    tail -n 60 "$work/build-$name.log" >&2; say "$name failed"; exit 1; }
}

cmake_build "$(cross_source libsdl2)" sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
cmake_build "$(cross_source freetype)" freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
# Sounds are raw samples made in memory: no decoder of any file format.
cmake_build "$(cross_source libsdl2-mixer)" sdl2-mixer -DCMAKE_PREFIX_PATH="$stage" \
  -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
  -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OGG=OFF -DSDL2MIXER_OPUS=OFF \
  -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=OFF -DSDL2MIXER_WAVPACK=OFF
cmake_build "$(cross_source googletest)" googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF

say "building libepoxy"
cat > "$work/cross.ini" <<EOF
[binaries]
c = 'x86_64-w64-mingw32-gcc-posix'
cpp = 'x86_64-w64-mingw32-g++-posix'
ar = 'x86_64-w64-mingw32-ar'
strip = 'x86_64-w64-mingw32-strip'
windres = 'x86_64-w64-mingw32-windres'
pkgconfig = 'false'

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
epoxy=$(cross_source libepoxy)
{ meson setup "$work/build-epoxy" "$epoxy" --cross-file "$work/cross.ini" --prefix "$stage" \
    --libdir lib --buildtype release -Ddefault_library=static -Degl=no -Dglx=no -Dx11=false \
    -Dtests=false -Ddocs=false &&
  ninja -C "$work/build-epoxy" -j "$jobs" && ninja -C "$work/build-epoxy" install; } \
  > "$work/build-epoxy.log" 2>&1 || { tail -n 60 "$work/build-epoxy.log" >&2; say "libepoxy failed"; exit 1; }

cross_finish "$compiler"
