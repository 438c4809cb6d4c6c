# Sourced by scripts and tests: a private X session on a free display number,
# with a window manager (openbox) and an XEmbed notification-area tray (trayer).
# xsession_start sets DISPLAY and XSESSION_PIDS; xsession_stop ends them.

XSESSION_PIDS=()

xsession_free_display()
{
    local n=${XSESSION_FIRST:-40}
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    echo "$n"
}

xsession_start()
{
    local n i
    n=$(xsession_free_display)
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    XSESSION_PIDS+=($!)
    export DISPLAY=":$n"
    for i in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
    xdpyinfo >/dev/null 2>&1 || return 1
    openbox --sm-disable >/dev/null 2>&1 &
    XSESSION_PIDS+=($!)
    for i in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.05
    done
    if [ "${XSESSION_NO_TRAY:-0}" != 1 ]; then
        trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 \
            --transparent false >/dev/null 2>&1 &
        XSESSION_PIDS+=($!)
        for i in $(seq 100); do
            xprop -root 2>/dev/null | grep -q "_NET_SYSTEM_TRAY_S" && break
            xwininfo -root -tree 2>/dev/null | grep -qi trayer && break
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
