# Sourced by scripts/windows-libs.sh and scripts/web-libs.sh: what building a
# cross build's libraries from Debian's source packages takes, whichever the
# compiler. The caller sets `say` (its messages) and `cache_root`, then:
#   cross_versions PACKAGE...    their versions into $versions, deb-src added when missing
#   cross_prefix COMPILER NAME   the key of this recipe into $prefix ($cache_root/NAME$key)
#   cross_begin                  a work folder and an empty $stage (= $prefix), cleaned
#                                up unless the run gets to cross_finish
#   cross_fetch PACKAGE...       their sources unpacked in $work; cross_source finds one
#   cross_finish COMPILER        SDL's pkg-config files made fit for a plain main, the
#                                folder marked ready and printed, older recipes' removed

# Debian's sources: apt-get source needs a deb-src line beside the deb ones,
# added as root when missing.
cross_src_list=/etc/apt/sources.list.d/velmora-deb-src.sources
cross_ensure_deb_src() {
  apt-cache showsrc --only-source libsdl2 2>/dev/null | grep -q '^Version:' && return 0
  if [ ! -e "$cross_src_list" ]; then
    if [ "$(id -u)" -ne 0 ]; then
      say "Debian's source packages are not known to apt; as root, run this again"
      exit 1
    fi
    cat > "$cross_src_list" <<'EOF'
# Added by velmora's scripts (cross-libs.sh): the Windows and browser builds
# are made from Debian's source packages.
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
}

# The version apt-get source would fetch: the highest one known.
cross_source_version() {
  apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

cross_versions() {
  cross_ensure_deb_src
  versions=""
  local s v
  for s in "$@"; do
    v=$(cross_source_version "$s")
    [ -n "$v" ] || { say "no source package $s in Debian's lists"; exit 1; }
    versions+="$s=$v "
  done
}

# The key: the sources' versions, the compiler and the recipe, this file with
# the caller (a changed recipe builds anew instead of reusing an older one's).
cross_prefix() {
  local key
  key=$( { echo "$versions"; echo "$1"; cat "$0" "${BASH_SOURCE[0]}"; } | sha256sum | cut -c1-16)
  cross_name=$2
  prefix="$cache_root/$2$key"
}

cross_begin() {
  say "building into $prefix: $versions"
  mkdir -p "$cache_root"
  work=$(mktemp -d "$cache_root/work.XXXXXX")
  # A run that fails leaves nothing half made behind.
  trap 'rm -rf "$work"; [ -e "$prefix/ready" ] || rm -rf "$prefix"' EXIT
  # Installed in place (pkg-config and CMake files name their folder); only
  # the mark at the end makes it count, so a broken run is simply built again.
  stage="$prefix"
  rm -rf "$stage"
  mkdir -p "$stage"
}

cross_fetch() {
  local s
  cd "$work"
  for s in "$@"; do
    say "apt-get source $s"
    if ! apt-get source -q --only-source "$s=$(cross_source_version "$s")" > "$work/$s.log" 2>&1; then
      # A mirror that lacks Debian's changes still has the upstream tarball,
      # which is all a cross build of the library needs.
      say "$s: Debian's changes could not be fetched; building the upstream source"
      rm -rf "$work/$s"-* "$work/$s"_*
      apt-get source -q --tar-only --only-source "$s=$(cross_source_version "$s")" >> "$work/$s.log" 2>&1 || {
        cat "$work/$s.log" >&2; exit 1; }
      tar -xf "$work/$s"_*.orig.tar.* -C "$work"
    fi
  done
}

cross_source() { find "$work" -maxdepth 1 -mindepth 1 -type d -name "$1-[0-9]*" | head -n 1; }

cross_finish() {
  # SDL's main shim stays out: the game has a plain main, which SDL's own
  # main would take over by renaming it.
  sed -i -e 's/ *-lSDL2main//g' -e 's/ *-Dmain=SDL_main//g' "$stage/lib/pkgconfig/sdl2.pc"
  # SDL2_mixer writes its pkg-config file only when built as a shared library.
  local mixer
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
  printf '%s\n' "$versions" "$1" > "$stage/versions"
  touch "$stage/ready"
  say "ready"
  # Older recipes' folders are never used by this one again: they go, and
  # the toolchain file finds the one ready folder left.
  local ready other
  for ready in "$cache_root/$cross_name"*/ready; do
    other=$(dirname "$ready")
    [ "$other" = "$prefix" ] || { say "removing $other, an older recipe's"; rm -rf "$other"; }
  done
  echo "$prefix"
}
