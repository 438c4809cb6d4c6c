# Sourced by scripts and tests: a private X session on a free display number,
# with a window manager (openbox) and an XEmbed notification-area tray (trayer).
# xsession_start sets DISPLAY and XSESSION_PIDS; xsession_stop ends them.

XSESSION_PIDS=()

xsession_start()
{
    local n i fifo
    # Xvfb picks a free display number itself and writes it to the pipe, so
    # parallel test runs never race for the same number.
    fifo=$(mktemp -u /tmp/xsession.XXXXXX)
    mkfifo "$fifo"
    # -noreset: by default the server resets when its last client leaves (here the xdpyinfo
    # below), and a client connecting during that reset (openbox) is refused.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    XSESSION_PIDS+=($!)
    read -r -t 10 n <"$fifo"
    rm -f "$fifo"
    [ -n "${n:-}" ] || return 1
    export DISPLAY=":$n"
    xdpyinfo >/dev/null 2>&1 || return 1
    openbox --sm-disable >/dev/null 2>&1 &
    XSESSION_PIDS+=($!)
    # openbox names itself before it has taken over the screen's windows; it publishes
    # the list of the windows it manages once it has, and only then handles new ones
    # reliably. A window mapped before that may stay unmapped or be taken over late.
    for i in $(seq 600); do
        xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
    # A session without its window manager would fail every test in confusing ways.
    xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "window id" || {
        echo "xsession: openbox did not take over the screen" >&2
        return 1
    }
    if [ "${XSESSION_NO_TRAY:-0}" != 1 ]; then
        trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 \
            --transparent false >/dev/null 2>&1 &
        XSESSION_PIDS+=($!)
        # The tray counts as ready once openbox manages its panel (the only client so
        # far): before that, trayer may still be owning the tray selection and docking,
        # which races the first windows a test maps.
        for i in $(seq 200); do
            xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q "window id # 0x" && break
            sleep 0.05
        done
    fi
    return 0
}

xsession_stop()
{
    local i
    for ((i = ${#XSESSION_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${XSESSION_PIDS[$i]}" 2>/dev/null
        wait "${XSESSION_PIDS[$i]}" 2>/dev/null
    done
    XSESSION_PIDS=()
}
