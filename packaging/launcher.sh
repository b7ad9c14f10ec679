#!/bin/sh
# Starts Wingtron from wherever this folder was unpacked. The game reads its data from the
# game folder beside this script and keeps profiles, high scores and the configuration in
# $XDG_DATA_HOME/wingtron (by default ~/.local/share/wingtron); --profiles DIR still wins.
here=$(dirname "$(readlink -f "$0")")
case "${XDG_DATA_HOME:-}" in
    /*) saves=$XDG_DATA_HOME/wingtron ;;
    *) saves=${HOME:?HOME is not set}/.local/share/wingtron ;;
esac
exec "$here/game/wingtron" --profiles "$saves" "$@"
