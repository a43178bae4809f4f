#!/usr/bin/env bash
# Another build of velmora-world (Windows under Wine, the browser build under
# node) makes and changes worlds byte for byte as the Linux build does, so
# that saves travel both ways: each side generates the worlds of a few seeds,
# then each changes the other's world the same way, and every file is compared.
#   same_worlds.sh NAME LINUX_TOOL COMMAND...
# COMMAND runs the other build's tool (its runner first: wine-run, node...).
# Files are named relative to the tool's folder: Wine maps the current
# folder, so they need no translation there.
set -euo pipefail
name=$1 linux=$2
shift 2
other=("$@")
[ -x "$linux" ] || { echo "same_worlds: no Linux tool at $linux" \
  "(cmake --build --preset default --target velmora-world)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/linux" "$work/other"

fail() { echo "same_worlds: $*" >&2; exit 1; }
on_linux() { (cd "$work/linux" && "$linux" "$@" > /dev/null) || fail "linux: velmora-world $* failed"; }
on_other() { (cd "$work/other" && "${other[@]}" "$@" > /dev/null) || fail "$name: velmora-world $* failed"; }
same() {
  cmp -s "$work/linux/$1" "$work/other/$1" ||
    fail "$1 differs after $2: $(cmp "$work/linux/$1" "$work/other/$1" 2>&1 | head -n 1)"
}

for seed in 1234567890 1700000000 42; do
  on_linux generate --seed "$seed" --slot 1 --dir .
  on_other generate --seed "$seed" --slot 1 --dir .
  same Mondo1.data "generate --seed $seed"
  same SemeM1.data "generate --seed $seed"
  echo "seed $seed: the same world and seed file on Linux and $name"
  rm -f "$work"/*/Mondo1.data "$work"/*/SemeM1.data
done

# A world saved on one side is loaded, changed and saved again on both, to
# the same bytes: slot 2 made on Linux, slot 3 on the other side.
on_linux generate --seed 42 --slot 2 --dir .
on_other generate --seed 7 --slot 3 --dir .
cp "$work/linux/Mondo2.data" "$work/linux/SemeM2.data" "$work/other/"
cp "$work/other/Mondo3.data" "$work/other/SemeM3.data" "$work/linux/"
for slot in 2 3; do
  on_linux give --slot "$slot" --dir . 0 5 12
  on_linux set --slot "$slot" --dir . 500 101 503 27
  on_other give --slot "$slot" --dir . 0 5 12
  on_other set --slot "$slot" --dir . 500 101 503 27
  same "Mondo$slot.data" "give and set"
done
echo "a world saved on either side loads and saves on the other to the same bytes"
