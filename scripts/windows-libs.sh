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

# Debian's sources: apt-get source needs a deb-src line beside the deb ones.
src_list=/etc/apt/sources.list.d/velmora-deb-src.sources
ensure_deb_src() {
  if ! apt-cache showsrc --only-source libsdl2 2>/dev/null | grep -q '^Version:'; then
    if [ ! -e "$src_list" ]; then
      if [ "$(id -u)" -ne 0 ]; then
        say "Debian's source packages are not known to apt; as root, run this again"
        exit 1
      fi
      cat > "$src_list" <<'EOF'
# Added by velmora's scripts/windows-libs.sh: the Windows build is made from
# Debian's source packages.
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    fi
    say "reading Debian's source lists"
    apt-get update -q >&2
  fi
}

# The version apt-get source would fetch: the highest one known.
source_version() {
  apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

ensure_deb_src
versions=""
for s in "${sources[@]}"; do
  v=$(source_version "$s")
  [ -n "$v" ] || { say "no source package $s in Debian's lists"; exit 1; }
  versions+="$s=$v "
done
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none)
# The key: the sources' versions, the compiler and this recipe (so a changed
# recipe builds anew instead of reusing what an older one made). The
# toolchain file is left out: it names the compilers, which the key holds.
key=$( { echo "$versions"; echo "$compiler"; cat "$0"; } | sha256sum | cut -c1-16)
prefix="$cache_root/$key"

if [ "${1:-}" = "--folder" ]; then echo "$prefix"; exit 0; fi
if [ -e "$prefix/ready" ]; then echo "$prefix"; exit 0; fi
if [ "$compiler" = none ]; then
  say "x86_64-w64-mingw32-g++-posix is missing (Debian package mingw-w64)"
  exit 1
fi

say "building into $prefix: $versions"
mkdir -p "$cache_root"
work=$(mktemp -d "$cache_root/work.XXXXXX")
# A run that fails leaves nothing half made behind.
trap 'rm -rf "$work"; [ -e "$prefix/ready" ] || rm -rf "$prefix"' EXIT
# Installed in place (pkg-config and CMake files name their folder); only the
# mark at the end makes it count, so a broken run is simply built again.
stage="$prefix"
rm -rf "$stage"
mkdir -p "$stage"

cd "$work"
for s in "${sources[@]}"; do
  say "apt-get source $s"
  if ! apt-get source -q --only-source "$s=$(source_version "$s")" > "$work/$s.log" 2>&1; then
    # A mirror that lacks Debian's changes still has the upstream tarball,
    # which is all a cross build of the library needs.
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
  cmake -S "$src" -B "$work/build-$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELMORA_WINDOWS_LIBS="$stage" \
    -DCMAKE_INSTALL_PREFIX="$stage" -DBUILD_SHARED_LIBS=OFF "$@" > "$work/build-$name.log" 2>&1 &&
  cmake --build "$work/build-$name" -j "$jobs" >> "$work/build-$name.log" 2>&1 &&
  cmake --install "$work/build-$name" >> "$work/build-$name.log" 2>&1 || {
    tail -n 60 "$work/build-$name.log" >&2; say "$name failed"; exit 1; }
}

cmake_build "$(srcdir libsdl2)" sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
cmake_build "$(srcdir freetype)" freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
# Sounds are raw samples made in memory: no decoder of any file format.
cmake_build "$(srcdir libsdl2-mixer)" sdl2-mixer -DCMAKE_PREFIX_PATH="$stage" \
  -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
  -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OGG=OFF -DSDL2MIXER_OPUS=OFF \
  -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=OFF -DSDL2MIXER_WAVPACK=OFF
cmake_build "$(srcdir googletest)" googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF

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
epoxy=$(srcdir libepoxy)
{ meson setup "$work/build-epoxy" "$epoxy" --cross-file "$work/cross.ini" --prefix "$stage" \
    --libdir lib --buildtype release -Ddefault_library=static -Degl=no -Dglx=no -Dx11=false \
    -Dtests=false -Ddocs=false &&
  ninja -C "$work/build-epoxy" -j "$jobs" && ninja -C "$work/build-epoxy" install; } \
  > "$work/build-epoxy.log" 2>&1 || { tail -n 60 "$work/build-epoxy.log" >&2; say "libepoxy failed"; exit 1; }

# SDL's WinMain shim stays out: the game has a plain main, which SDL's own
# main would take over by renaming it.
sed -i -e 's/ *-lSDL2main//g' -e 's/ *-Dmain=SDL_main//g' "$stage/lib/pkgconfig/sdl2.pc"
# SDL2_mixer writes its pkg-config file only when built as a DLL.
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
