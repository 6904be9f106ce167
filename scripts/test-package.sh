#!/usr/bin/env bash
# Builds the Debian package in build-package/, installs it with apt, plays a
# short scripted game with the installed nanaren-play in a directory of its
# own, piped and on a terminal, asks the installed nanaren-gtp its name, and
# removes the package again. Installs what
# a fresh Debian machine lacks.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build="$root/build-package"
install_packages dpkg-dev file
build_preset package package

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$build/nanaren_${version}_$(dpkg --print-architecture).deb"
# A nanaren installed before the test stays installed after it.
installed_before=no
is_installed nanaren && installed_before=yes
DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq "$deb" >/dev/null
game="$(mktemp -d)"
trap '[ "$installed_before" = yes ] || as_root apt-get remove -y -qq nanaren >/dev/null; rm -rf "$game"' EXIT
cd "$game"

# Without a search the computer takes the first free point from the top left
# each time, and Black's row of seven across the middle wins.
echo -1 > think.txt
printf '1\n2 5\n3 5\n4 5\n5 5\n6 5\n7 5\n8 5\n' > moves.txt
nanaren-play < moves.txt > played.txt
"$build/nanaren" < moves.txt > expected.txt
cmp played.txt expected.txt
if grep -q '^\.\.\.' played.txt; then
    echo "the installed game searched: it did not read think.txt here" >&2
    exit 1
fi
# The last line is "あなたの勝ちです" (you win).
[ "$(tail -n 1 played.txt)" = $'\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8f\x9f\x82\xbf\x82\xc5\x82\xb7' ]

# The same game on a terminal (a pseudo-terminal that script makes) with a
# UTF-8 locale shows the Japanese as UTF-8 with nothing else installed: the
# luit first on the PATH here fails the game if the launcher ever starts it.
# There the launcher starts the interactive game, which saves the record and
# asks to play again; --classic keeps the classic dialogue.
mkdir bin
printf '#!/bin/sh\necho "nanaren-play started luit" >&2\nexit 1\n' > bin/luit
chmod +x bin/luit
on_terminal() {
    LC_ALL=C.UTF-8 PATH="$game/bin:$PATH" timeout 60 script -qec "nanaren-play $*" /dev/null \
        < moves.txt > terminal.txt
}
on_terminal --classic
grep -q "あなたの勝ちです" terminal.txt
on_terminal --classic --lang en
grep -q "^You win" terminal.txt
echo n >> moves.txt
on_terminal
grep -q "あなたの勝ちです(13手)" terminal.txt
grep -q "^moves: 2-5 .* 8-5$" nanaren-*.txt
# The GTP engine is installed beside the game.
[ "$(printf '1 name\n2 quit\n' | nanaren-gtp exact:1 | head -n 1)" = "=1 nanaren" ]
echo "The installed package played the scripted game, piped, on a UTF-8 terminal and"
echo "interactively; its GTP engine answers."
