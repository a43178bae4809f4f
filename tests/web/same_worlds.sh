#!/usr/bin/env bash
# The browser build makes the worlds of the reference seeds byte for byte as
# the Linux build does, so that a slot exported from a page plays on a desktop
# and back: its velmora-world under node and the Linux one each generate them,
# then each changes the other's world the same way, and every file is compared.
#   same_worlds.sh NODE LINUX_TOOL WEB_TOOL.js
# (node's own fetch cannot read the program beside the script: turned off)
set -euo pipefail
node=$1 linux=$2 web=$3
[ -x "$linux" ] || { echo "same_worlds: no Linux tool at $linux" \
  "(cmake --build --preset default --target velmora-world)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/linux" "$work/web"

fail() { echo "same_worlds: $*" >&2; exit 1; }
on_linux() { (cd "$work/linux" && "$linux" "$@" > /dev/null) || fail "linux: velmora-world $* failed"; }
on_web() { (cd "$work/web" && "$node" --no-experimental-fetch "$web" "$@" > /dev/null) || fail "web: velmora-world $* failed"; }
same() {
  cmp -s "$work/linux/$1" "$work/web/$1" || fail "$1 differs after $2: $(cmp "$work/linux/$1" "$work/web/$1" 2>&1 | head -n 1)"
}

for seed in 1234567890 1700000000 42; do
  on_linux generate --seed "$seed" --slot 1 --dir .
  on_web generate --seed "$seed" --slot 1 --dir .
  same Mondo1.data "generate --seed $seed"
  same SemeM1.data "generate --seed $seed"
  echo "seed $seed: the same world and seed file on both"
  rm -f "$work"/*/Mondo1.data "$work"/*/SemeM1.data
done

# A world saved on one side is loaded, changed and saved again on both.
on_linux generate --seed 42 --slot 2 --dir .
on_web generate --seed 7 --slot 3 --dir .
cp "$work/linux/Mondo2.data" "$work/linux/SemeM2.data" "$work/web/"
cp "$work/web/Mondo3.data" "$work/web/SemeM3.data" "$work/linux/"
for slot in 2 3; do
  on_linux give --slot "$slot" --dir . 0 5 12
  on_linux set --slot "$slot" --dir . 500 101 503 27
  on_web give --slot "$slot" --dir . 0 5 12
  on_web set --slot "$slot" --dir . 500 101 503 27
  same "Mondo$slot.data" "give and set"
done
echo "a world saved on either side loads and saves on the other to the same bytes"
