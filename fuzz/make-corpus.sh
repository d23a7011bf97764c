#!/usr/bin/env bash
# Writes the seed corpus of the fuzzers into <dir>/texture, <dir>/mesh,
# <dir>/savegame, <dir>/engine and <dir>/pdn: small images cut from the real
# res/ files, a shrunk and the full board mesh, saved games as the program
# writes them, engine protocol sessions and PDN games. Run from
# anywhere; needs only coreutils.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: make-corpus.sh <dir>}
mkdir -p "$out/texture" "$out/mesh" "$out/savegame" "$out/engine" "$out/pdn"

le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }

# A bottom-up BMP header: file header, 40-byte info header, `colours` table
# entries announced (the table itself follows from the caller).
bmp_header() {
    local w=$1 h=$2 bits=$3 colours=$4 stride=$5
    local offset=$((54 + 4 * colours)) data=$((stride * h))
    printf 'BM'; le32 $((offset + data)); le32 0; le32 $offset
    le32 40; le32 "$w"; le32 "$h"; le16 1; le16 "$bits"; le32 0; le32 $data
    le32 2835; le32 2835; le32 "$colours"; le32 0
}

# `count` bytes of row `row` of a 24-bit res/ image `width` pixels wide.
pixels() {
    local file=$1 width=$2 row=$3 count=$4
    dd if="$top/res/$file" bs=1 skip=$((54 + row * 3 * width)) count="$count" status=none
}

# Texture inputs: the first byte picks the reader (even BMP, odd PPM).
{
    printf '\x00'; bmp_header 4 4 24 0 12
    for r in 0 1 2 3; do pixels board.bmp 512 $((r * 64)) 12; done
} >"$out/texture/bmp24"
{
    printf '\x00'; bmp_header 3 2 24 0 12
    for r in 0 1; do pixels red-chip.bmp 256 $r 9; printf '\x00\x00\x00'; done
} >"$out/texture/bmp24-padded"
{
    printf '\x02'; bmp_header 4 2 8 4 4
    pixels black-chip.bmp 256 100 16 | head -c 16   # four colours, each b g r 0
    printf '\x00\x01\x02\x03\x03\x02\x01\x00'
} >"$out/texture/bmp8"
{
    printf '\x04'; bmp_header 2 2 32 0 8
    pixels wood02.bmp 256 7 16
} >"$out/texture/bmp32"
{
    printf '\x01P6\n# cut from wood02\n4 4\n255\n'
    for r in 3 2 1 0; do pixels wood02.bmp 256 "$r" 12; done
} >"$out/texture/ppm"
printf '\x03P6 1 1 255 \xff\x80\x00' >"$out/texture/ppm-tiny"

# Mesh inputs: the real board, and its first square alone.
cp "$top/res/board.obj" "$out/mesh/board.obj"
cat >"$out/mesh/square.obj" <<'OBJ'
# one square of the board
o board
v 0 0 0
v 1 0 0
v 0 0 1
v 1 0 1
vt 0 0
vt 0.125 0
vt 0 0.125
vt 0.125 0.125
vn 0 1 0
f 1/1/1 3/3/1 2/2/1
f 2/2/1 3/3/1 4/4/1
OBJ

# Saved games, line ends as the program writes them.
write_game() {
    local side=$1; shift
    for row in "$@"; do printf '%s\r\r\n' "$row"; done
    printf '%s' "$side"
}
write_game 0 "X r X r X r X r " "r X r X r X r X " "X r X r X r X r " \
    "_ X _ X _ X _ X " "X _ X _ X _ X _ " "b X b X b X b X " \
    "X b X b X b X b " "b X b X b X b X " >"$out/savegame/start.plx"
write_game 1 "X _ X B X _ X _ " "_ X _ X r X _ X " "X _ X b X _ X _ " \
    "_ X _ X _ X _ X " "X _ X r X _ X _ " "_ X R X _ X b X " \
    "X _ X _ X _ X _ " "_ X _ X _ X _ X " >"$out/savegame/kings.plx"

# Engine protocol sessions: every command, good and bad.
printf 'isready\nperft 3\nposition start moves 11-15 23-19 8-11\ngo depth 3\nquit\n' \
    >"$out/engine/session"
printf 'position fen W:WK3,26:B7,K30 moves 3x10\nperft 2\ngo time 5\nstop\n' >"$out/engine/kings"
printf 'level expert\nposition fen B:W16,24,28:B11,15,19\nlevel beginner\ngo\n' \
    >"$out/engine/levels"
printf 'position fen B:W6,14:B2 moves 2x18 9-13\nposition start moves 9-14 x\ngo depth 0\nbogus\r\n' \
    >"$out/engine/errors"

# PDN games: tags, comments, variations, a set-up position, a bare FEN.
printf '[Event "Plaxen game"]\n[Date "2026.12.06"]\n[Black "Player"]\n[White "Player"]\n[Result "*"]\n\n1. 11-15 23-19 2. 9-14 22-17 3. 14x21 25x18 *\n' \
    >"$out/pdn/game.pdn"
printf '[FEN "B:W19,26,27,12:B22,1"]\n1. 22x31x24x15 {crowned on the way} (1. 1-6) 12-8 $1 2. 15-10?! 2-0\n[Event "next"]\n' \
    >"$out/pdn/crowning.pdn"
printf 'W:WK3,26:B7,K30' >"$out/pdn/fen"
printf '[TimeControl "300+3"]\n[Termination "time forfeit"]\n{the game} 1. 11-15! {+0.35} 23-19?? {-#4} ; a } b\n2. 8-11 $2 {caf\xe9} 0-2\n' \
    >"$out/pdn/notes.pdn"
printf '[FEN "B:WK32:BK1"]\n1. 1-6 32-27 2. 6-1 27-32 3. 1-6 32-27 4. 6-1 27-32 1-1\n' >"$out/pdn/repetition.pdn"
