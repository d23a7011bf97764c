#!/usr/bin/env bash
# Usage: check-package.sh <build dir> <source dir> <version> <description> <engine 0|1>
# Builds the Debian package of the build tree and checks it as Debian's tools
# and a player would see it: lintian, the metainfo and desktop entry
# validators, the files it holds, and the installed game, unpacked with
# dpkg -x into a scratch root (removed on exit) and started from a folder of
# the player's on the X display. <engine> is 1 when the build has
# plaxen-engine, which the package must then hold with its manual page.
set -euo pipefail
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd) version=$3 description=$4 engine=$5
scratch=$(mktemp -d)
game_pid=
trap '[ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in cpack dpkg-deb lintian appstreamcli desktop-file-validate xwininfo xprop; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh --test installs it)"
done
[ -n "${DISPLAY:-}" ] || fail "no X display: run under xvfb-run"

# --- the package and its control fields
if ! (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out") \
    >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack -G DEB failed"
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected exactly one .deb, got: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = plaxen ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), want $version"
[ "$(field Section)" = games ] || fail "Section: $(field Section), want games"
[ "$(field Description | head -n 1)" = "$description" ] ||
    fail "Description: $(field Description | head -n 1), want $description"
# The libraries come from dpkg-shlibdeps; without it Depends would be empty.
for lib in libwxgtk-gl3.2 libglu1-mesa libc6; do
    field Depends | grep -q "$lib" || fail "Depends lacks $lib: $(field Depends)"
done

# --- lintian: no error or warning. The informational tags below may stay:
informational_ok=(
    # CPack strips with plain `strip`, which keeps the compiler's version
    # note; Debian's dh_strip would also drop it. A few bytes, no effect.
    binary-has-unneeded-section
    # The build uses CMake's own flags, not dpkg-buildflags: no -z now and
    # no _FORTIFY_SOURCE. Hardening a program that reads only its own art and
    # the player's saved games is for a build with Debian's flags.
    hardening-no-bindnow
    hardening-no-fortify-functions
)
lintian --pedantic --display-info --fail-on none --tag-display-limit 0 "$deb" \
    >"$scratch/lintian.log" 2>"$scratch/lintian.err" ||
    { cat "$scratch/lintian.err" >&2; fail "lintian did not run"; }
while read -r severity _ tag _; do
    case $severity in
    I: | P:) printf '%s\n' "${informational_ok[@]}" | grep -qx -- "$tag" && continue ;;
    *:) ;;
    *) continue ;;
    esac
    cat "$scratch/lintian.log" >&2
    fail "lintian: $severity $tag"
done <"$scratch/lintian.log"

root=$scratch/root
dpkg -x "$deb" "$root"

# --- exactly the expected files, nothing more (no build trees, no sources)
res_files=(black-chip.bmp board.bmp board.obj red-chip.bmp wood02.bmp)
metainfo=usr/share/metainfo/example.plaxen.plaxen.metainfo.xml
expected=(usr/games/plaxen usr/share/man/man6/plaxen.6.gz
    usr/share/applications/plaxen.desktop "$metainfo"
    usr/share/doc/plaxen/copyright usr/share/doc/plaxen/changelog.gz)
[ "$engine" = 1 ] && expected+=(usr/games/plaxen-engine usr/share/man/man6/plaxen-engine.6.gz)
for size in 16 32 48; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/plaxen.png"); done
for f in "${res_files[@]}"; do expected+=("usr/share/games/plaxen/res/$f"); done
want=$(printf '%s\n' "${expected[@]}" | sort)
got=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
[ "$want" = "$got" ] || fail "package files differ:
$(diff <(echo "$want") <(echo "$got") || true)"

for f in "${res_files[@]}"; do
    cmp -s "$source/res/$f" "$root/usr/share/games/plaxen/res/$f" || fail "res/$f differs from the tree"
done
# The copyright file carries the licence's own terms.
sed -n '/^Permission/,$p' "$source/LICENSE" | grep -v '^$' | while read -r line; do
    grep -qxF " $line" "$root/usr/share/doc/plaxen/copyright" ||
        fail "copyright lacks the LICENSE line: $line"
done

# --- the desktop entry and the metainfo validate, name each other and agree
# with the version and the changelog
desktop=$root/usr/share/applications/plaxen.desktop
desktop-file-validate "$desktop" >"$scratch/dfv.log" 2>&1 || true
[ ! -s "$scratch/dfv.log" ] || fail "desktop-file-validate: $(cat "$scratch/dfv.log")"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Exec)" = plaxen ] || fail "desktop Exec: $(entry Exec), want plaxen (found on PATH in /usr/games)"
[ "$(entry Icon)" = plaxen ] || fail "desktop Icon: $(entry Icon)"
for word in checkers draughts "board game"; do
    entry Keywords | tr ';' '\n' | grep -qx "$word" || fail "desktop Keywords lack $word"
done

appstreamcli validate --no-net --pedantic "$root/$metainfo" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log" >&2; fail "appstreamcli validate"; }
# The one note allowed: the id is the project's domain reversed, and that
# domain is under .example (reserved), a top-level domain the validator
# does not know.
if grep -E '^[EWIP]: ' "$scratch/appstream.log" | grep -v ' cid-maybe-not-rdns '; then
    fail "appstreamcli validate: $(cat "$scratch/appstream.log")"
fi
xml_value() { sed -n "s|.*<$1\b[^>]*>\([^<]*\)</$1>.*|\1|p" "$root/$metainfo"; }
[ "$(xml_value launchable)" = plaxen.desktop ] || fail "metainfo launches $(xml_value launchable)"
[ "$(xml_value binary)" = plaxen ] || fail "metainfo provides $(xml_value binary)"
release=$(sed -n 's|.*<release version="\([^"]*\)" date="\([^"]*\)".*|\1 \2|p' "$root/$metainfo" | head -n 1)
read -r changelog_version changelog_date < <(zcat "$root/usr/share/doc/plaxen/changelog.gz" |
    sed -n -e '1s/^plaxen (\([^)]*\)).*/\1/p' -e '0,/^ -- /s/^ -- .*>  \(.*\)/\1/p' | paste -sd ' ')
[ "$changelog_version" = "$version" ] || fail "changelog's newest entry is $changelog_version, want $version"
[ "$release" = "$version $(date -u -d "$changelog_date" +%F)" ] ||
    fail "metainfo release $release, changelog $version of $changelog_date"

# --- icons: PNG files of their folder's size (width and height in IHDR)
for size in 16 32 48; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/plaxen.png
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "$png is not a PNG"
    read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
    w=$(((w0 << 24) | (w1 << 16) | (w2 << 8) | w3))
    h=$(((h0 << 24) | (h1 << 16) | (h2 << 8) | h3))
    [ "$w" -eq "$size" ] && [ "$h" -eq "$size" ] || fail "$png is ${w}x$h, want ${size}x$size"
done

# --- the installed engine answers its protocol
if [ "$engine" = 1 ]; then
    reply=$(printf 'isready\nquit\n' | timeout 10 "$root/usr/games/plaxen-engine") ||
        fail "plaxen-engine failed"
    [ "$reply" = readyok ] || fail "plaxen-engine answered isready with: $reply"
fi

# --- the installed game, started through PATH as the desktop entry starts it,
# from a folder of the player's that has no res/: it must find its art in the
# unpacked data folder and keep the player's folder as its working directory.
# Missing art shows a modal box (a dialog window) before the main window is
# shown, so the main window on screen with no dialog means all art was read.
# Its settings go to a scratch home, never the real user's.
player=$(mkdir "$scratch/player" && cd "$scratch/player" && pwd -P)
mkdir "$scratch/home"
(cd "$player" && HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
    PATH="$root/usr/games:$PATH" exec plaxen) >"$scratch/run.log" 2>&1 &
game_pid=$!
windows() { # "<type> <map state>" for each top-level window of the game
    xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }' | while read -r id; do
        props=$(xprop -id "$id" _NET_WM_PID _NET_WM_WINDOW_TYPE 2>/dev/null) || continue
        grep -qx "_NET_WM_PID(CARDINAL) = $game_pid" <<<"$props" || continue
        type=$(sed -n 's/.*_NET_WM_WINDOW_TYPE_\([A-Z_]*\).*/\1/p' <<<"$props")
        echo "${type:-none} $(xwininfo -id "$id" 2>/dev/null | sed -n 's/.*Map State: //p')"
    done
}
shown=
for _ in $(seq 60); do
    kill -0 "$game_pid" 2>/dev/null || { cat "$scratch/run.log" >&2; fail "installed game exited at start"; }
    state=$(windows || true)
    grep -q '^DIALOG' <<<"$state" && fail "installed game showed a message box: its art was not found"
    if grep -q '^NORMAL IsViewable' <<<"$state"; then
        [ -n "$shown" ] && break # seen twice, half a second apart: no box followed it
        shown=yes
    fi
    sleep 0.5
done
[ -n "$shown" ] || fail "installed game showed no main window within 30 s"
cwd=$(readlink "/proc/$game_pid/cwd")
exe=$(readlink "/proc/$game_pid/exe")
[ "$cwd" = "$player" ] || fail "game ran in $cwd, want the folder it was started from, $player"
[ "$exe" = "$(cd "$root/usr/games" && pwd -P)/plaxen" ] || fail "game process is $exe"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
echo "package $(basename "$deb") checked"
