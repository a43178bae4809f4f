#!/usr/bin/env bash
# Builds the libraries of the browser build (SDL2, SDL2_mixer, FreeType,
# GoogleTest) with Debian's emscripten, once, into a cache folder named after
# their versions and this recipe, and prints that folder. Later runs find it
# ready and only print it.
#   scripts/web-libs.sh            build when missing, print the folder
#   scripts/web-libs.sh --folder   print the folder it would use, build nothing
# Emscripten's own ports would be fetched from the internet: these are made
# from Debian's source packages instead (GoogleTest from the sources the
# googletest package installs), all static, without threads.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/web-env.sh"
jobs=$(nproc)

sources=(libsdl2 libsdl2-mixer freetype)
gtest_src=/usr/src/googletest
cache_root=$VELMORA_WEB_CACHE

say() { echo "web-libs: $*" >&2; }
source "$top/scripts/cross-libs.sh"

cross_versions "${sources[@]}"
gtest_version=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo none)
versions+="googletest=$gtest_version"
# sed, not head: a reader that stops early would fail the pipe and the key with it.
compiler=$(emcc --version 2>/dev/null | sed -n 1p)
[ -n "$compiler" ] || compiler=none
cross_prefix "$compiler" libs-

if [ "${1:-}" = "--folder" ]; then echo "$prefix"; exit 0; fi
if [ -e "$prefix/ready" ]; then echo "$prefix"; exit 0; fi
if [ "$compiler" = none ]; then say "emcc is missing (Debian package emscripten)"; exit 1; fi
if [ "$gtest_version" = none ] || [ ! -d "$gtest_src" ]; then
  say "$gtest_src is missing (Debian package googletest)"; exit 1
fi

cross_begin
cross_fetch "${sources[@]}"

cmake_build() {  # source folder, build name, options...
  local src=$1 name=$2; shift 2
  say "building $name"
  local started=$SECONDS
  emcmake cmake -S "$src" -B "$work/build-$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$stage" -DCMAKE_FIND_ROOT_PATH="$stage" -DCMAKE_PREFIX_PATH="$stage" \
    -DBUILD_SHARED_LIBS=OFF "$@" > "$work/build-$name.log" 2>&1 &&
  nice cmake --build "$work/build-$name" -j "$jobs" >> "$work/build-$name.log" 2>&1 &&
  cmake --install "$work/build-$name" >> "$work/build-$name.log" 2>&1 || {
    tail -n 60 "$work/build-$name.log" >&2; say "$name failed"; exit 1; }
  say "$name: $((SECONDS - started)) s"
}

# No threads: a page served by a plain static server cannot have them.
cmake_build "$(cross_source libsdl2)" sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF
cmake_build "$(cross_source freetype)" freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
# Sounds are raw samples made in memory: no decoder of any file format.
cmake_build "$(cross_source libsdl2-mixer)" sdl2-mixer -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF \
  -DSDL2MIXER_OGG=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=OFF \
  -DSDL2MIXER_WAVPACK=OFF -DSDL2MIXER_DEPS_SHARED=OFF
cmake_build "$gtest_src" googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON

cross_finish "$compiler"
