#!/usr/bin/env bash
# Checks the Debian package as CI does: builds it, lists it, runs lintian,
# validates its desktop entries and AppStream metadata, unpacks it into a
# temporary root and starts the installed zq there under Xvfb, far enough to
# see that it starts its calculator (Ctrl+D, with the ZQ icon and its window
# class) and shows its help (Ctrl+H) from its own folder, and that a tape
# typed into it comes back after kill -9.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/package.sh"
deb=$(ls "$root"/build/zq_*_amd64.deb)
echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes"
dpkg-deb -c "$deb"
dpkg-deb -f "$deb" Depends
# Debian's own checks: any error fails.
lintian --fail-on error --allow-root "$deb"
echo "== lintian: no errors"

stage=$(mktemp -d)
xvfb=
cleanup() {
    pkill -f "$stage/usr/" 2>/dev/null || true
    sleep 0.2
    kill $(jobs -p) $xvfb 2>/dev/null || true
    rm -rf "$stage"
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$stage"
desktop-file-validate "$stage/usr/share/applications/org.zq.ZQ.desktop"
desktop-file-validate "$stage/usr/share/applications/org.zq.ZQDENTAK.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/org.zq.ZQ.metainfo.xml"
update-mime-database "$stage/usr/share/mime" >/dev/null 2>&1
for f in a.KSN b.ksn c.SUK d.suk; do
    grep -q . "$stage/usr/share/mime/globs2" && grep -qi "${f#*.}" "$stage/usr/share/mime/globs2" \
        || { echo "no MIME type for $f"; exit 1; }
done
[ -x "$stage/usr/lib/zq/ZQDENTAK" ] && [ "$(readlink "$stage/usr/bin/zq")" = ../lib/zq/zq ]
# Printing and the chart: the library zq loads beside it, and every symbol
# of the program's own that it takes from zq exported by the zq installed.
missing=$(comm -23 \
    <(nm -D --undefined-only "$stage/usr/lib/zq/modules/libzqprint.so" | awk '{print $2}' | grep 2zq | sort) \
    <(nm -D --defined-only "$stage/usr/lib/zq/zq" | awk '{print $3}' | sort))
[ -z "$missing" ] || { echo "zq does not export for libzqprint.so: $missing"; exit 1; }

# Xvfb picks a free display and names it once it accepts clients, however
# busy the machine is.
exec {xvfb_out}< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 2>/dev/null)
xvfb=$!
read -r -t 60 -u "$xvfb_out" display_number || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display_number"
xdotool getdisplaygeometry >/dev/null
home=$(mktemp -d -p "$stage")
HOME="$home" "$stage/usr/bin/zq" &
wait_for() { for _ in $(seq 300); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done; echo "no window \"$1\""; return 1; }
wait_for "ZQ加算・集計器"
# No window manager: the keyboard focus is given by hand.
menu=$(xdotool search --onlyvisible --name "^ZQ加算・集計器$" | head -1)
xdotool windowfocus --sync "$menu"
xdotool key ctrl+d
wait_for "ZQ電卓"
pgrep -f "$stage/usr/lib/zq/ZQDENTAK" >/dev/null
# Its window carries the ZQ icon and the class its desktop entry names.
calc=$(xdotool search --onlyvisible --name "ZQ電卓" | head -1)
# (grep reads xprop's output to its end: stopping at the first match, as
# -q does, may leave xprop writing into a closed pipe.)
xprop -id "$calc" WM_CLASS | grep '"ZQDENTAK"' >/dev/null
xprop -id "$calc" _NET_WM_ICON | grep "Icon (16 x 16)" >/dev/null
grep -q "^StartupWMClass=ZQDENTAK$" "$stage/usr/share/applications/org.zq.ZQDENTAK.desktop"
xdotool windowfocus --sync "$menu"
xdotool key ctrl+h
wait_for "ﾍﾙﾌﾟ"
echo "== the installed zq starts its calculator and shows its help"

# The journal of the installed program: two entries typed, the program
# killed, started again; はい brings the tape back.
pkill -f "$stage/usr/" 2>/dev/null || true
sleep 0.3
HOME="$home" "$stage/usr/bin/zq" &
wait_for "ZQ加算・集計器"
menu=$(xdotool search --onlyvisible --name "^ZQ加算・集計器$" | head -1)
xdotool windowfocus --sync "$menu"
xdotool key space
wait_for "ZQ加算機"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "ZQ加算機" | head -1)"
xdotool type 1234
xdotool key Return
xdotool type 766
xdotool key Return
journal=""
for _ in $(seq 50); do
    journal=$(grep -l "^E 766 2000 " "$home"/.local/share/ZQ/*.zqj 2>/dev/null | head -1) && [ -n "$journal" ] && break
    sleep 0.1
done
[ -n "$journal" ] || { echo "no journal in $home/.local/share/ZQ"; exit 1; }
pkill -9 -f "$stage/usr/bin/zq"
sleep 0.3
HOME="$home" "$stage/usr/bin/zq" &
wait_for "ZQ加算・集計器"
for w in $(xdotool search --onlyvisible --name "^ZQ加算・集計器$"); do xdotool windowfocus --sync "$w" 2>/dev/null || true; done
xdotool key Return
wait_for "ZQ加算機"
for _ in $(seq 50); do
    grep -q "^T 2000 " "$home"/.local/share/ZQ/*.zqj 2>/dev/null && break
    sleep 0.1
done
grep -q "^T 2000 1 " "$home"/.local/share/ZQ/*.zqj || { echo "the tape was not brought back"; exit 1; }
[ ! -e "$journal" ] || { echo "the old journal is still there"; exit 1; }
echo "== the installed zq journals its tape in ~/.local/share/ZQ and brings it back after kill -9"
