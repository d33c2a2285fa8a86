#!/usr/bin/env bash
# ime-session.sh - run a Qt 6 program under Xvfb with a real Japanese input
# method (fcitx5 + Mozc), so that it can be typed into with xdotool and looked
# at with screenshots. Debian 12, run as root.
#
#   ime-session.sh start PROGRAM [ARGS...]
#       Installs what is missing (apt-get), creates the ordinary user (Mozc
#       refuses to run as root), and starts for that user - once, reusing
#       whatever is still running from an earlier call - Xvfb on a free
#       display, a D-Bus session bus and fcitx5 with Mozc; then starts PROGRAM
#       as that user (unless the same program is still running) and prints
#       DISPLAY=:N. PROGRAM is copied into the session folder first, owned by
#       the user, so that it can write files next to itself (IME_COPY=0 runs
#       it in place).
#   ime-session.sh run CMD [ARGS...]
#       Runs CMD as the user inside the session (DISPLAY, D-Bus and the input
#       method variables set), e.g.
#         ime-session.sh run xdotool mousemove 100 162 click 1
#         ime-session.sh run xdotool key 7 minus 2 Return Return
#         ime-session.sh run import -window root /tmp/shot.png
#         ime-session.sh run fcitx5-remote        (1 = Mozc off, 2 = Mozc on)
#   ime-session.sh on | off
#       Switches Mozc on or off for the window that has the focus
#       (fcitx5-remote -o / -c). Ctrl+Space toggles it too.
#   ime-session.sh mode Hiragana|"Half ASCII"|"Full ASCII"|"Full Katakana"|"Half Katakana"
#       Sets the Mozc input mode that new windows start in; it applies to
#       windows opened afterwards (restart the program: ime-session.sh restart).
#       Inside a window, Shift+Muhenkan toggles hiragana <-> half-width
#       alphanumeric; while composing, F10 turns the text half-width and F9
#       full-width.
#   ime-session.sh restart            stops the program and starts it again
#   ime-session.sh status             tells what runs
#   ime-session.sh stop [app|all]     stops the program (app) or everything (all, default)
#
# Settings (environment): IME_USER (default imeuser), IME_MODE (the mode
# windows start in, default Hiragana), IME_ACTIVE=0 (windows start with Mozc
# off), IME_DISPLAY=N (use display :N), IME_FRESH_MOZC=1 (forget what Mozc
# learned from earlier conversions, so candidates come in their first order),
# IME_COPY=0, IME_SCREEN (default 1280x900x24).
# Everything lives in /tmp/ime-session-$IME_USER: env (the variables for
# other tools), *.pid, and the logs xvfb.log, dbus.log, fcitx5.log, app.log.
#
# Facts worth knowing when driving it: while Mozc has a composition, the
# first Return only commits it (a QInputMethodEvent); the program sees no
# Return key until the second one. Keys typed with Mozc off, or with an empty
# composition, arrive as ordinary key events.
set -euo pipefail

U="${IME_USER:-imeuser}"
MODE="${IME_MODE:-Hiragana}"
ACTIVE="${IME_ACTIVE:-1}"
SCREEN="${IME_SCREEN:-1280x900x24}"
S="/tmp/ime-session-$U"

die() { echo "ime-session: $*" >&2; exit 1; }
alive() { [ -f "$S/$1.pid" ] && kill -0 "$(cat "$S/$1.pid")" 2>/dev/null; }
as_user() { runuser -u "$U" -- "$@"; }
# Runs a command as the user with the session variables.
in_session() { runuser -u "$U" -- bash -c '. "$1"; shift; exec "$@"' _ "$S/env" "$@"; }
# Starts a long-running command as the user in a session of its own
# (setsid), detached; its pid, which is also its session id, goes to NAME.pid.
launch() {
    local name=$1; shift
    rm -f "$S/$name.pid"
    runuser -u "$U" -- setsid bash -c 'echo $$ >"$1"; . "$2"; shift 2; exec "$@"' \
        _ "$S/$name.pid" "$S/env" "$@" >"$S/$name.log" 2>&1 </dev/null &
    local i
    for i in $(seq 50); do [ -s "$S/$name.pid" ] && return; sleep 0.1; done
    die "$1 did not start: $(tail -3 "$S/$name.log")"
}
# Stops NAME (by its recorded pid) and whatever it left behind in its
# session, e.g. the mozc_server that fcitx5 starts on demand.
stop_one() {
    local name=$1 pid p i
    [ -f "$S/$name.pid" ] || return 0
    pid=$(cat "$S/$name.pid")
    for p in $pid $(ps -o pid= -s "$pid" 2>/dev/null || true); do
        kill "$p" 2>/dev/null || true
    done
    for i in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    rm -f "$S/$name.pid"
}

[ "$(id -u)" -eq 0 ] || die "run this as root (it installs packages and switches to user $U)"

install_packages() {
    local pkgs=(fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus dbus-x11 xvfb xauth
                xdotool imagemagick x11-utils libglib2.0-bin fonts-ipafont-gothic)
    local missing=() p
    for p in "${pkgs[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "ime-session: installing ${missing[*]}" >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

ensure_user() {
    id "$U" >/dev/null 2>&1 || useradd -m -s /bin/bash "$U"
    local home; home=$(getent passwd "$U" | cut -d: -f6)
    mkdir -p /tmp/.X11-unix && chown root:root /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix
    mkdir -p "$S" "$S/runtime"
    chown "$U:$U" "$S" "$S/runtime"; chmod 755 "$S"; chmod 700 "$S/runtime"
    # fcitx5: one group, US keyboard plus Mozc; windows start with Mozc on
    # unless IME_ACTIVE=0; no pop-ups over the windows in screenshots.
    if ! alive fcitx5; then
        as_user mkdir -p "$home/.config/fcitx5/conf"
        as_user tee "$home/.config/fcitx5/profile" >/dev/null <<EOF
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
EOF
        as_user tee "$home/.config/fcitx5/config" >/dev/null <<EOF
[Hotkey/TriggerKeys]
0=Control+space

[Behavior]
ActiveByDefault=$([ "$ACTIVE" = 1 ] && echo True || echo False)
ShareInputState=No
ShowInputMethodInformation=False
showInputMethodInformationWhenFocusIn=False
EOF
        as_user tee "$home/.config/fcitx5/conf/mozc.conf" >/dev/null <<EOF
InitialMode="$MODE"
EOF
    fi
}

# Forgets what Mozc learned (conversion history) after stopping the program,
# fcitx5 and the mozc_server it started; Mozc's settings stay.
forget_mozc_history() {
    local home; home=$(getent passwd "$U" | cut -d: -f6)
    stop_app
    stop_one fcitx5
    rm -f "$home"/.config/mozc/{.history.db,segment.db,boundary.db,cform.db}
}

write_env() {
    cat >"$S/env" <<EOF
export DISPLAY=:$1
export DBUS_SESSION_BUS_ADDRESS=unix:path=$S/bus
export XDG_RUNTIME_DIR=$S/runtime
export QT_IM_MODULE=fcitx
export XMODIFIERS=@im=fcitx
export GTK_IM_MODULE=fcitx
export LANG=\${LANG:-C.UTF-8}
EOF
    chmod 644 "$S/env"
}

free_display() {
    local n
    for n in $(seq 57 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }
    done
    die "no free display number"
}

ensure_x() {
    if alive xvfb && [ -f "$S/display" ]; then return; fi
    # A new X server: what ran on the old one goes too.
    stop_app
    stop_one fcitx5
    local n="${IME_DISPLAY:-$(free_display)}"
    echo "$n" >"$S/display"
    write_env "$n"
    launch xvfb Xvfb ":$n" -screen 0 "$SCREEN" -nolisten tcp
    local i
    for i in $(seq 50); do
        in_session xdpyinfo >/dev/null 2>&1 && return
        alive xvfb || die "Xvfb :$n did not start: $(tail -3 "$S/xvfb.log")"
        sleep 0.2
    done
    die "Xvfb :$n does not answer"
}

ensure_dbus() {
    if alive dbus && in_session dbus-send --session --print-reply --dest=org.freedesktop.DBus \
            / org.freedesktop.DBus.GetId >/dev/null 2>&1; then return; fi
    rm -f "$S/bus"
    launch dbus dbus-daemon --session --nofork --nopidfile --address="unix:path=$S/bus"
    local i
    for i in $(seq 50); do
        [ -S "$S/bus" ] && return
        sleep 0.1
    done
    die "the D-Bus session bus did not start: $(tail -3 "$S/dbus.log")"
}

ensure_fcitx() {
    if alive fcitx5 && in_session fcitx5-remote >/dev/null 2>&1; then return; fi
    launch fcitx5 fcitx5 --replace
    local i
    for i in $(seq 100); do
        if in_session fcitx5-remote >/dev/null 2>&1 && grep -q "Loaded addon mozc" "$S/fcitx5.log"; then
            return
        fi
        alive fcitx5 || die "fcitx5 stopped: $(tail -5 "$S/fcitx5.log")"
        sleep 0.2
    done
    die "fcitx5 started but Mozc was not loaded: see $S/fcitx5.log"
}

start_app() {
    [ $# -ge 1 ] || die "start needs a PROGRAM"
    local prog; prog=$(readlink -f "$1") || die "no program $1"; shift
    [ -x "$prog" ] || die "$prog is not an executable"
    local src=$prog
    [ "${IME_COPY:-1}" = 1 ] && prog="$S/app/$(basename "$src")"
    if alive app && [ "$(cat "$S/app.cmd" 2>/dev/null)" = "$prog $*" ]; then
        echo "ime-session: $prog is already running (pid $(cat "$S/app.pid"))" >&2
        return
    fi
    stop_app
    if [ "$prog" != "$src" ]; then
        mkdir -p "$S/app"; chown "$U:$U" "$S/app"
        install -o "$U" -g "$U" -m 755 "$src" "$prog"
    fi
    printf '%s\n' "$prog $*" >"$S/app.cmd"
    (cd "$(dirname "$prog")" && launch app "$prog" "$@")
    local i wins=""
    for i in $(seq 100); do
        wins=$(in_session xdotool search --onlyvisible --pid "$(cat "$S/app.pid")" 2>/dev/null || true)
        [ -n "$wins" ] && break
        alive app || die "the program ended: $(tail -5 "$S/app.log")"
        sleep 0.2
    done
    [ -n "$wins" ] || die "the program shows no window: see $S/app.log"
    sleep 1
    [ "$ACTIVE" = 1 ] && in_session fcitx5-remote -o >/dev/null 2>&1 || true
}

stop_app() {
    stop_one app
    rm -f "$S/app.cmd"
}

stop_all() {
    stop_app
    local p
    for p in fcitx5 dbus xvfb; do stop_one "$p"; done
    rm -f "$S/display" "$S/bus"
}

status() {
    local p
    for p in xvfb dbus fcitx5 app; do
        if alive "$p"; then echo "$p: running (pid $(cat "$S/$p.pid"))"; else echo "$p: not running"; fi
    done
    [ -f "$S/display" ] && echo "DISPLAY=:$(cat "$S/display")"
    if alive fcitx5; then
        echo "fcitx5 state of the focused window: $(in_session fcitx5-remote 2>/dev/null) ($(in_session fcitx5-remote -n 2>/dev/null))"
    fi
}

cmd="${1:-}"; [ $# -gt 0 ] && shift
case "$cmd" in
    start)
        install_packages
        ensure_user
        [ "${IME_FRESH_MOZC:-0}" = 1 ] && forget_mozc_history
        ensure_x
        ensure_dbus
        ensure_fcitx
        start_app "$@"
        echo "DISPLAY=:$(cat "$S/display")"
        echo "session variables: $S/env   (as root: $0 run xdotool ...)"
        ;;
    run)      alive xvfb || die "no session: use start first"; in_session "$@" ;;
    on)       in_session fcitx5-remote -o ;;
    off)      in_session fcitx5-remote -c ;;
    mode)
        [ $# -eq 1 ] || die "mode needs one of Hiragana, \"Half ASCII\", \"Full ASCII\", \"Full Katakana\", \"Half Katakana\""
        in_session gdbus call --session --dest org.fcitx.Fcitx5 --object-path /controller \
            --method org.fcitx.Fcitx.Controller1.SetConfig fcitx://config/inputmethod/mozc \
            "<{'InitialMode': <'$1'>}>" >/dev/null
        echo "new windows start in $1"
        ;;
    restart)
        [ -f "$S/app.cmd" ] || die "no program was started"
        read -r -a again <"$S/app.cmd"
        stop_app
        IME_COPY=0 start_app "${again[@]}"
        ;;
    status)   status ;;
    stop)
        case "${1:-all}" in
            app) stop_app ;;
            all) stop_all ;;
            *) die "stop app|all" ;;
        esac
        ;;
    *) sed -n '2,/^[^#]/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 2 ;;
esac
