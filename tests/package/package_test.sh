#!/usr/bin/env bash
# The packages scripts/package.sh made in BUILD: the Debian package holds the game, its data,
# the menu entry, icon, metainfo, manual page and documents, and passes lintian,
# desktop-file-validate and appstreamcli; the game extracted from it, and the portable
# archive's launcher, each print the version and win level 1 with the bot, reading the data
# of the tree they came in (not the build's) and saving under $XDG_DATA_HOME/wingtron.
#   package_test.sh BUILD README.md
set -euo pipefail
build=$(cd "$1" && pwd)
readme=$2
version=$(cat "$build/version.txt")
deb=$build/wingtron_${version}_$(dpkg --print-architecture).deb
tarball=$build/wingtron-${version}-linux-$(uname -m).tar.gz
work=$(readlink -f "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
[ -f "$deb" ] || fail "no $deb"
[ -f "$tarball" ] || fail "no $tarball"

# The package's contents and control fields.
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for f in usr/games/wingtron usr/share/wingtron/media/Main_menu.png usr/share/wingtron/levels/Spiders.xml \
    usr/share/wingtron/Levels/ usr/share/wingtron/sounds/ usr/share/wingtron/music/ \
    usr/share/applications/wingtron.desktop usr/share/icons/hicolor/256x256/apps/wingtron.png \
    usr/share/metainfo/org.wingtron.wingtron.metainfo.xml usr/share/man/man6/wingtron.6.gz \
    usr/share/doc/wingtron/copyright usr/share/doc/wingtron/changelog.gz; do
    grep -qx "\./$f" "$work/files" || fail "$f is not in the package"
done
if grep -q "/profiles\|usr/bin/\|xmltool" "$work/files"; then fail "the package holds files it should not"; fi
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in the games section"
dpkg-deb -f "$deb" Depends | grep -q "libsdl2-2.0-0 (>=" || fail "shlibdeps found no dependency on SDL2"

# The checkers a distribution runs.
lintian --fail-on error "$deb" || fail "lintian reports errors"
root=$work/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/wingtron.desktop" || fail "desktop-file-validate"
metainfo=$root/usr/share/metainfo/org.wingtron.wingtron.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"
zcat "$root/usr/share/doc/wingtron/changelog.gz" | head -1 | grep -qF "wingtron ($version)" ||
    fail "the changelog's entry is not $version"

# The manual page names every option of the README's table.
MANWIDTH=100 man -l "$root/usr/share/man/man6/wingtron.6.gz" 2>"$work/man.err" >"$work/man.txt"
[ ! -s "$work/man.err" ] || fail "man reports: $(cat "$work/man.err")"
grep -o '^| `--[a-z-]*' "$readme" | cut -c4- | while read -r option; do
    grep -q -- "$option" "$work/man.txt" || fail "the manual page lacks $option"
done

# Runs GAME (the executable or the launcher) from a home of its own: the version, a level won
# by the bot with the saves under $XDG_DATA_HOME, then a level without DATA's rules file,
# which has to stop the game: so it reads DATA, not the build folder's copy.
play_from() {
    local name=$1 game=$2 data=$3
    local home=$work/$name-home
    mkdir -p "$home"
    cd "$home"
    [ "$("$game" --version)" = "wingtron $version" ] || fail "$name: --version prints '$("$game" --version)'"
    HOME=$home XDG_DATA_HOME=$home/xdg "$game" --headless --level 1 --autoplay expert --seed 1 >"$work/$name.json" ||
        fail "$name: the bot did not win level 1 (exit $?)"
    grep -q '"outcome":"won"' "$work/$name.json" || fail "$name: no won level reported"
    [ -f "$home/xdg/wingtron/config.dat" ] || fail "$name: nothing saved under XDG_DATA_HOME"
    mv "$data/levels/levels_vars.xml" "$work/levels_vars.xml"
    if HOME=$home XDG_DATA_HOME=$home/xdg "$game" --headless --level 1 --frames 600 2>"$work/$name.err"; then
        fail "$name: played without the rules file of $data"
    fi
    grep -q "levels_vars.xml" "$work/$name.err" || fail "$name: $(cat "$work/$name.err")"
    mv "$work/levels_vars.xml" "$data/levels/levels_vars.xml"
    cd "$work"
}
play_from deb "$root/usr/games/wingtron" "$root/usr/share/wingtron"
[ ! -e "$root/usr/share/wingtron/profiles" ] || fail "deb: the game wrote into its data folder"

mkdir "$work/unpacked"
tar -xzf "$tarball" -C "$work/unpacked"
top=$work/unpacked/wingtron-${version}-linux-$(uname -m)
[ -x "$top/wingtron" ] && [ -f "$top/README" ] && [ -f "$top/COPYRIGHT" ] || fail "archive: launcher, README or COPYRIGHT missing"
play_from archive "$top/wingtron" "$top/game"
[ ! -e "$top/game/profiles" ] || fail "archive: the game saved into its own folder"
echo ok
