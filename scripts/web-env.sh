# Sourced by the browser build's scripts: Debian's emscripten made usable by
# a normal user. Its cache of prebuilt system libraries is read-only, so a
# copy of it (made once, again when emscripten's version changes) is the one
# used, at the place CMakePresets.json names for the web preset; the node it
# runs does not look in Debian's module folder by itself.
VELMORA_WEB_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/velmora-web"
mkdir -p "$VELMORA_WEB_CACHE"
velmora_web_cache_copy() {
  local version
  version=$(cat /usr/share/emscripten/emscripten-version.txt 2>/dev/null | tr -d '"\n' || true)
  [ -n "$version" ] || return 0  # no emscripten yet: the caller says what to install
  local copy="$HOME/.cache/velmora-web/emcache"
  if [ "$(cat "$copy/.velmora-version" 2>/dev/null)" != "$version" ]; then
    rm -rf "$copy"
    mkdir -p "$(dirname "$copy")"
    cp -a /usr/share/emscripten/cache "$copy"
    echo "$version" > "$copy/.velmora-version"
  fi
  export EM_CACHE="$copy"
}
velmora_web_cache_copy
export NODE_PATH=/usr/share/nodejs
