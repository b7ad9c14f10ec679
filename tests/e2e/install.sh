#!/usr/bin/env bash
# cmake --install lays out a tree the installed game starts from: executable, data,
# launcher entry and icon under the prefix; saves under $XDG_DATA_HOME/wingtron (or
# ~/.local/share/wingtron), never in the installed data folder; --profiles still wins.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/wingtron share/wingtron/media/Main_menu.png share/wingtron/levels/Spiders.xml \
    share/wingtron/Levels share/applications/wingtron.desktop \
    share/icons/hicolor/256x256/apps/wingtron.png share/metainfo/org.wingtron.wingtron.metainfo.xml \
    share/man/man6/wingtron.6.gz; do
    [ -e "$prefix/$f" ] || { echo "FAIL: $f not installed"; exit 1; }
done
grep -q "^Exec=wingtron" "$prefix/share/applications/wingtron.desktop"
[ "$("$prefix/bin/wingtron" --version)" = "wingtron $(cat "$build/version.txt")" ] || { echo "FAIL: --version"; exit 1; }

cd "$work"  # anywhere but the game's folders
run() { "$prefix/bin/wingtron" --headless --level 1 --seed 1 --frames 30 "$@"; }
mkdir -p "$work/home"
XDG_DATA_HOME=$work/xdg HOME=$work/home run
[ -f "$work/xdg/wingtron/config.dat" ] || { echo "FAIL: no configuration under XDG_DATA_HOME"; exit 1; }
env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/wingtron" --headless --frames 5
[ -f "$work/home/.local/share/wingtron/config.dat" ] || { echo "FAIL: no configuration in ~/.local/share"; exit 1; }
XDG_DATA_HOME=$work/xdg HOME=$work/home run --profiles "$work/mine"
[ -f "$work/mine/config.dat" ] || { echo "FAIL: --profiles ignored"; exit 1; }
if [ -e "$prefix/share/wingtron/profiles" ]; then
    echo "FAIL: the installed game wrote into its data folder"
    exit 1
fi
echo ok
