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

# Debian's sources: apt-get source needs a deb-src line beside the deb ones.
# The Windows recipe adds it (as root) when missing.
if ! apt-cache showsrc --only-source libsdl2 2>/dev/null | grep -q '^Version:'; then
  say "Debian's source packages are not known to apt; run scripts/windows-libs.sh --folder as root once"
  "$top/scripts/windows-libs.sh" --folder > /dev/null
fi

source_version() {
  apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

versions=""
for s in "${sources[@]}"; do
  v=$(source_version "$s")
  [ -n "$v" ] || { say "no source package $s in Debian's lists"; exit 1; }
  versions+="$s=$v "
done
gtest_version=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo none)
versions+="googletest=$gtest_version"
# sed, not head: a reader that stops early would fail the pipe and the key with it.
compiler=$(emcc --version 2>/dev/null | sed -n 1p)
[ -n "$compiler" ] || compiler=none
# The key: the sources' versions, the compiler and this recipe (a changed
# recipe builds anew instead of reusing what an older one made).
key=$( { echo "$versions"; echo "$compiler"; cat "$0"; } | sha256sum | cut -c1-16)
prefix="$cache_root/libs-$key"

if [ "${1:-}" = "--folder" ]; then echo "$prefix"; exit 0; fi
if [ -e "$prefix/ready" ]; then echo "$prefix"; exit 0; fi
if [ "$compiler" = none ]; then say "emcc is missing (Debian package emscripten)"; exit 1; fi
if [ "$gtest_version" = none ] || [ ! -d "$gtest_src" ]; then
  say "$gtest_src is missing (Debian package googletest)"; exit 1
fi

say "building into $prefix: $versions"
work=$(mktemp -d "$cache_root/work.XXXXXX")
# A run that fails leaves nothing half made behind.
trap 'rm -rf "$work"; [ -e "$prefix/ready" ] || rm -rf "$prefix"' EXIT
stage="$prefix"
rm -rf "$stage"
mkdir -p "$stage"

cd "$work"
for s in "${sources[@]}"; do
  say "apt-get source $s"
  if ! apt-get source -q --only-source "$s=$(source_version "$s")" > "$work/$s.log" 2>&1; then
    say "$s: Debian's changes could not be fetched; building the upstream source"
    rm -rf "$work/$s"-* "$work/$s"_*
    apt-get source -q --tar-only --only-source "$s=$(source_version "$s")" >> "$work/$s.log" 2>&1 || {
      cat "$work/$s.log" >&2; exit 1; }
    tar -xf "$work/$s"_*.orig.tar.* -C "$work"
  fi
done
srcdir() { find "$work" -maxdepth 1 -mindepth 1 -type d -name "$1-[0-9]*" | head -n 1; }

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
cmake_build "$(srcdir libsdl2)" sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF
cmake_build "$(srcdir freetype)" freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
# Sounds are raw samples made in memory: no decoder of any file format.
cmake_build "$(srcdir libsdl2-mixer)" sdl2-mixer -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF \
  -DSDL2MIXER_OGG=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=OFF \
  -DSDL2MIXER_WAVPACK=OFF -DSDL2MIXER_DEPS_SHARED=OFF
cmake_build "$gtest_src" googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON

# The game has a plain main, which SDL's own main would take over.
sed -i -e 's/ *-lSDL2main//g' -e 's/ *-Dmain=SDL_main//g' "$stage/lib/pkgconfig/sdl2.pc"
mixer=$(sed -n 's/.*libsdl2-mixer=\([0-9.]*\).*/\1/p' <<< "$versions")
[ -e "$stage/lib/pkgconfig/SDL2_mixer.pc" ] || cat > "$stage/lib/pkgconfig/SDL2_mixer.pc" <<EOF
prefix=$stage
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SDL2_mixer
Description: mixer library for Simple DirectMedia Layer
Version: $mixer
Requires: sdl2
Libs: -L\${libdir} -lSDL2_mixer
Cflags: -I\${includedir}/SDL2
EOF
printf '%s\n' "$versions" "$compiler" > "$stage/versions"
touch "$stage/ready"
say "ready"
echo "$prefix"
