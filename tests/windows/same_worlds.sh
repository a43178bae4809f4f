#!/usr/bin/env bash
# A world made or changed on Windows is byte for byte the one made or changed
# on Linux, so that saves travel both ways: velmora-world.exe under Wine and
# the Linux velmora-world each generate the worlds of a few seeds, then each
# changes the other's world the same way, and every file is compared.
#   same_worlds.sh LINUX_TOOL WINDOWS_TOOL.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
linux=$1 windows=$2
[ -x "$linux" ] || { echo "same_worlds: no Linux tool at $linux" \
  "(cmake --build --preset default --target velmora-world)" >&2; exit 1; }
wine_run="$here/../../scripts/wine-run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/linux" "$work/windows"

fail() { echo "same_worlds: $*" >&2; exit 1; }
# The tool on each side, in its folder (relative names: Wine maps the
# current folder, so they need no translation).
on_linux() { (cd "$work/linux" && "$linux" "$@" > /dev/null) || fail "linux: velmora-world $* failed"; }
on_windows() { (cd "$work/windows" && "$wine_run" "$windows" "$@" > /dev/null) ||
  fail "windows: velmora-world.exe $* failed"; }
same() {
  cmp -s "$work/linux/$1" "$work/windows/$1" || fail "$1 differs after $2: $(cmp "$work/linux/$1" "$work/windows/$1" 2>&1 | head -n 1)"
}

for seed in 1234567890 1700000000 42; do
  on_linux generate --seed "$seed" --slot 1 --dir .
  on_windows generate --seed "$seed" --slot 1 --dir .
  same Mondo1.data "generate --seed $seed"
  same SemeM1.data "generate --seed $seed"
  echo "seed $seed: the same world and seed file on both"
  rm -f "$work"/*/Mondo1.data "$work"/*/SemeM1.data
done

# A world saved on one side is loaded, changed and saved again on both, to
# the same bytes: slot 2 made on Linux, slot 3 made on Windows.
on_linux generate --seed 42 --slot 2 --dir .
on_windows generate --seed 7 --slot 3 --dir .
cp "$work/linux/Mondo2.data" "$work/linux/SemeM2.data" "$work/windows/"
cp "$work/windows/Mondo3.data" "$work/windows/SemeM3.data" "$work/linux/"
for slot in 2 3; do
  on_linux give --slot "$slot" --dir . 0 5 12
  on_linux set --slot "$slot" --dir . 500 101 503 27
  on_windows give --slot "$slot" --dir . 0 5 12
  on_windows set --slot "$slot" --dir . 500 101 503 27
  same "Mondo$slot.data" "give and set"
done
echo "a world saved on either side loads and saves on the other to the same bytes"
