#!/usr/bin/env bash
# Usage: check-package.sh <build dir> <source dir> <version> <description>
# Builds the Debian package of the build tree, unpacks it with dpkg -x into a
# scratch folder (removed on exit) and checks what a player would get. With
# an X display it also starts the installed game briefly.
set -euo pipefail
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd) version=$3 description=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

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
[ "$(field Description | head -n 1)" = "$description" ] ||
    fail "Description: $(field Description | head -n 1), want $description"
# The libraries come from dpkg-shlibdeps; without it Depends would be empty.
for lib in libwxgtk-gl3.2 libglu1-mesa libc6; do
    field Depends | grep -q "$lib" || fail "Depends lacks $lib: $(field Depends)"
done

root=$scratch/root
dpkg -x "$deb" "$root"

# --- exactly the expected files, nothing more (no build trees, no sources)
res_files=(black-chip.bmp board.bmp board.obj red-chip.bmp wood02.bmp)
expected=(usr/bin/plaxen usr/lib/plaxen/plaxen usr/share/applications/plaxen.desktop)
for size in 16 32 48; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/plaxen.png"); done
for f in "${res_files[@]}"; do expected+=("usr/share/plaxen/res/$f"); done
want=$(printf '%s\n' "${expected[@]}" | sort)
got=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
[ "$want" = "$got" ] || fail "package files differ:
$(diff <(echo "$want") <(echo "$got") || true)"

# --- the binary, the launcher and the art
[ -x "$root/usr/lib/plaxen/plaxen" ] || fail "game binary not executable"
[ "$(head -c 4 "$root/usr/lib/plaxen/plaxen" | od -An -c | tr -d ' ')" = '177ELF' ] ||
    fail "usr/lib/plaxen/plaxen is not an ELF file"
[ -x "$root/usr/bin/plaxen" ] || fail "launcher not executable"
[ "$(head -n 1 "$root/usr/bin/plaxen")" = '#!/bin/sh' ] || fail "launcher is not a shell script"
for f in "${res_files[@]}"; do
    cmp -s "$source/res/$f" "$root/usr/share/plaxen/res/$f" || fail "res/$f differs from the tree"
done

# --- the desktop entry starts the launcher and names the icon
desktop=$root/usr/share/applications/plaxen.desktop
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Type)" = Application ] || fail "desktop Type: $(entry Type)"
exec_cmd=$(entry Exec | cut -d ' ' -f 1)
case $exec_cmd in
/*) [ "$exec_cmd" = /usr/bin/plaxen ] || fail "desktop Exec=$exec_cmd is not the launcher" ;;
*) [ "$exec_cmd" = plaxen ] || fail "desktop Exec=$exec_cmd is not the launcher" ;;
esac
[ "$(entry Icon)" = plaxen ] || fail "desktop Icon: $(entry Icon)"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi

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

# --- the launcher runs the installed binary inside share/plaxen, whatever
# the caller's folder and however it is reached (menus may use a symlink).
share=$(cd "$root/usr/share/plaxen" && pwd -P)
mv "$root/usr/lib/plaxen/plaxen" "$scratch/plaxen.real"
cat >"$root/usr/lib/plaxen/plaxen" <<'STUB'
#!/bin/sh
pwd -P
[ -f res/board.obj ] && echo "res found"
for a in "$@"; do echo "arg:$a"; done
STUB
chmod +x "$root/usr/lib/plaxen/plaxen"
ln -s "$root/usr/bin/plaxen" "$scratch/menu-link"
want_run=$(printf '%s\n' "$share" "res found" "arg:one" "arg:two words")
for launcher in "$root/usr/bin/plaxen" "$scratch/menu-link"; do
    got_run=$(cd / && "$launcher" one "two words") || fail "$launcher failed"
    [ "$got_run" = "$want_run" ] || fail "$launcher ran:
$got_run
want:
$want_run"
done
mv "$scratch/plaxen.real" "$root/usr/lib/plaxen/plaxen"

# --- with a display: the real installed game starts there and keeps running
if [ -n "${DISPLAY:-}" ]; then
    (cd / && exec "$root/usr/bin/plaxen") >"$scratch/run.log" 2>&1 &
    pid=$!
    sleep 3
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && status=0 || status=$?
        cat "$scratch/run.log" >&2
        fail "installed game exited at start (status $status)"
    fi
    cwd=$(readlink "/proc/$pid/cwd")
    exe=$(readlink "/proc/$pid/exe")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [ "$cwd" = "$share" ] || fail "game ran in $cwd, want $share"
    [ "$exe" = "$(cd "$root/usr/lib/plaxen" && pwd -P)/plaxen" ] || fail "game process is $exe"
fi
echo "package $(basename "$deb") checked"
