# shellcheck shell=bash
# Shared by scripts/test, scripts/run, scripts/bench and scripts/golden:
# package installs, preset builds, a private X display and Wine prefixes.

ZANTRELLE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Build trees live under build/ by default; another root keeps a second
# checkout's or a second user's builds apart.
BUILD_ROOT=${ZANTRELLE_BUILD_DIR:-$ZANTRELLE_ROOT/build}

# What each task needs from Debian, by package name.
PACKAGES_BUILD=(cmake ninja-build g++)
# libpng: the headless backend keeps frames as PNG files, the tests' golden
# frames among them.
PACKAGES_NATIVE_TESTS=(googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev libpng-dev)
# googletest's sources are configured with the Windows build's test programs.
PACKAGES_WINDOWS_BUILD=(mingw-w64 g++-mingw-w64-x86-64 googletest)
PACKAGES_WINE=(wine wine64 fonts-liberation)
PACKAGES_DISPLAY=(xvfb x11-utils x11-apps imagemagick)
# Several monitors: Wine reports one per enabled RandR output, and Xorg's
# dummy driver has outputs that xrandr places at will (Xvfb's have none).
PACKAGES_MONITORS=(xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xcvt)

log() { printf '==> %s\n' "$*" >&2; }
die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

# Runs a command with its output held back, shown only when it fails.
quietly() {
    local output status
    output=$(mktemp)
    "$@" >"$output" 2>&1
    status=$?
    ((status == 0)) || cat "$output" >&2
    rm -f "$output"
    return $status
}

package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'
}

# Installs the packages that are missing, with one index update, and says
# nothing when all are there.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        package_installed "$package" || missing+=("$package")
    done
    ((${#missing[@]})) || return 0

    command -v apt-get >/dev/null || die "missing packages ${missing[*]}, and no apt-get to install them"
    local sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        command -v sudo >/dev/null || die "missing packages ${missing[*]}: run as root or install sudo"
        sudo=(sudo)
    fi
    log "installing ${missing[*]}"
    quietly "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
        quietly "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -q --no-install-recommends "${missing[@]}" ||
        die "could not install ${missing[*]}"
}

# Build tree of a preset, under BUILD_ROOT.
build_dir() { printf '%s/%s\n' "$BUILD_ROOT" "$1"; }

# Configures a preset into its build tree and builds the given targets (all
# when none are given), at most two jobs: the machines have two cores.
build_preset() {
    local preset=$1 dir
    shift
    dir=$(build_dir "$preset")
    cmake --preset "$preset" -S "$ZANTRELLE_ROOT" -B "$dir" >/dev/null || return 1
    local targets=()
    (($#)) && targets=(--target "$@")
    cmake --build "$dir" -j "${ZANTRELLE_JOBS:-2}" "${targets[@]}"
}

# Wine as the tests and the screen saver expect it: quiet, no Mono or Gecko
# prompts.
export_wine_environment() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Creates a Wine prefix (WINEPREFIX) and sets it up: "Courier New" drawn with
# the metric-compatible Liberation Mono, and no crash dialog, so a crashing
# program ends instead of waiting for a click no one gives.
init_wine_prefix() {
    local settings
    quietly wineboot -i || return 1
    wineserver -w
    settings=$(mktemp --suffix=.reg)
    cat >"$settings" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\winedbg]
"ShowCrashDialog"=dword:00000000
EOF
    wine regedit /S "$settings" >/dev/null 2>&1
    local status=$?
    wineserver -w
    rm -f "$settings"
    return $status
}

# Waits until the X server started as $1, which writes its display number
# to the file $2, answers; exports DISPLAY. Fails when the server ends first.
await_display() {
    local pid=$1 number_file=$2 number=
    for _ in $(seq 100); do
        number=$(tr -d '[:space:]' <"$number_file")
        [[ -n $number ]] && xdpyinfo -display ":$number" >/dev/null 2>&1 && break
        number=
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    [[ -n $number ]] || return 1
    export DISPLAY=:$number
}

# Starts Xvfb on a display nobody uses (it picks the number itself) with one
# screen of the given size (WIDTHxHEIGHT, 1920x1080 by default) and waits
# until the display answers; sets DISPLAY_PID and exports DISPLAY.
start_xvfb() {
    local size=${1:-1920x1080} number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    DISPLAY_PID=$!
    await_display "$DISPLAY_PID" "$number_file" || {
        stop_display
        return 1
    }
}

# Starts Xorg with the dummy driver the same way: outputs DUMMY0 to DUMMY15,
# for set_monitor_layout to place. Its configuration and log live in
# DISPLAY_DIR, set while it runs; the input devices udev would add are left
# out.
start_dummy_xorg() {
    DISPLAY_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zantrelle-xorg.XXXXXX")
    mkdir "$DISPLAY_DIR/xorg.conf.d"
    # Video memory in KiB bounds the virtual screen: 64 MiB holds 4096 x 4096.
    cat >"$DISPLAY_DIR/xorg.conf" <<'EOF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
EndSection
EOF
    local number_file=$DISPLAY_DIR/display
    # The server itself, not the wrapper, which wants a console.
    /usr/lib/xorg/Xorg -displayfd 3 -config "$DISPLAY_DIR/xorg.conf" -configdir "$DISPLAY_DIR/xorg.conf.d" \
        -logfile "$DISPLAY_DIR/xorg.log" -nolisten tcp -noreset -novtswitch -sharevts \
        3>"$number_file" >/dev/null 2>&1 &
    DISPLAY_PID=$!
    await_display "$DISPLAY_PID" "$number_file" || {
        log "Xorg did not start; the end of its log:"
        tail -n 20 "$DISPLAY_DIR/xorg.log" >&2
        stop_display
        return 1
    }
}

stop_display() {
    if [[ -n ${DISPLAY_PID:-} ]]; then
        kill "$DISPLAY_PID" 2>/dev/null
        wait "$DISPLAY_PID" 2>/dev/null
        DISPLAY_PID=
    fi
    if [[ -n ${DISPLAY_DIR:-} ]]; then
        rm -rf "$DISPLAY_DIR"
        DISPLAY_DIR=
    fi
}

# Gives the output the mode of that size, made once under a name of our own
# (the driver's built-in modes do not have every size), and prints its name.
add_monitor_mode() {
    local output=$1 width=$2 height=$3 name=zantrelle-${2}x${3}
    if ! xrandr --addmode "$output" "$name" 2>/dev/null; then
        local clock rest
        # cvt rounds the width up to a multiple of eight: the mode keeps the
        # exact one.
        read -r clock _ rest < <(cvt "$width" "$height" 60 | sed -n 's/^Modeline "[^"]*" *//p')
        # shellcheck disable=SC2086 # the rest of the timings are separate words
        xrandr --newmode "$name" "$clock" "$width" $rest &&
            xrandr --addmode "$output" "$name" || return 1
    fi
    printf '%s\n' "$name"
}

# Sets the monitors of the dummy Xorg display, one argument each, as
# WIDTHxHEIGHT+LEFT+TOP in the desktop's coordinates: the first is the
# primary, at +0+0; others may lie left of or above it (-1024-768). They
# are outputs DUMMY0, DUMMY1, ... in that order, the rest switched off.
# Exports how to switch the last monitor off and on again, as commands, for
# tests of a monitor that goes away: ZANTRELLE_MONITOR_OFF, ZANTRELLE_MONITOR_ON.
set_monitor_layout() {
    local count=$# geometry i
    local -a width height left top
    local min_x=0 min_y=0 max_x=0 max_y=0
    i=0
    for geometry; do
        [[ $geometry =~ ^([0-9]+)x([0-9]+)([+-][0-9]+)([+-][0-9]+)$ ]] || {
            log "not a monitor: $geometry"
            return 1
        }
        width[i]=${BASH_REMATCH[1]} height[i]=${BASH_REMATCH[2]}
        left[i]=$((BASH_REMATCH[3])) top[i]=$((BASH_REMATCH[4]))
        ((left[i] < min_x)) && min_x=${left[i]}
        ((top[i] < min_y)) && min_y=${top[i]}
        ((left[i] + width[i] > max_x)) && max_x=$((left[i] + width[i]))
        ((top[i] + height[i] > max_y)) && max_y=$((top[i] + height[i]))
        i=$((i + 1))
    done
    # X places outputs from (0, 0): the layout moves by its top-left corner.
    local arguments=(--fb "$((max_x - min_x))x$((max_y - min_y))") output mode placement
    for ((i = 0; i < 16; ++i)); do
        output=DUMMY$i
        if ((i >= count)); then
            arguments+=(--output "$output" --off)
            continue
        fi
        mode=$(add_monitor_mode "$output" "${width[i]}" "${height[i]}") || return 1
        placement=(--output "$output" --mode "$mode" --pos "$((left[i] - min_x))x$((top[i] - min_y))")
        arguments+=("${placement[@]}")
        ((i == 0)) && arguments+=(--primary)
    done
    # Outputs just switched on count as connected only once the server looks
    # at them again, which a query makes it do; Wine reads what it last saw.
    xrandr "${arguments[@]}" && xrandr --query >/dev/null || return 1
    local xrandr_path
    xrandr_path=$(command -v xrandr)
    export ZANTRELLE_MONITOR_OFF="$xrandr_path --output DUMMY$((count - 1)) --off"
    export ZANTRELLE_MONITOR_ON="$xrandr_path ${placement[*]}"
}

# A display (of the given size, as start_xvfb) and a Wine prefix of our own
# for Windows programs that are measured or tested, so nothing the user runs
# is disturbed; both go away with stop_private_wine (call it from an EXIT
# trap).
start_private_wine() {
    start_xvfb "$@" || {
        log "Xvfb did not start"
        return 1
    }
    start_private_prefix
}

# The same on a display of several monitors, laid out as set_monitor_layout
# takes them; use_monitor_layout changes them later.
start_private_wine_on_monitors() {
    start_dummy_xorg && set_monitor_layout "$@" || return 1
    start_private_prefix
}

start_private_prefix() {
    PRIVATE_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zantrelle-wine.XXXXXX")
    export_wine_environment "$PRIVATE_WINEPREFIX"
    init_wine_prefix || {
        log "could not create the Wine prefix $PRIVATE_WINEPREFIX"
        return 1
    }
    # Our displays have no window manager. Left to expect one, Wine waits two
    # seconds for it whenever a window goes away, so every program would take
    # two seconds to end; windows it does not hand to a manager end at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return 1
    wineserver -w
    start_wine_server
}

# One server for every program that follows, rather than one start-up each.
# Its first program also starts Wine's own services, which live as long as
# the server and keep that program's output open: started here, they hold
# nothing a test runner waits on.
start_wine_server() {
    wineserver -p
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Moves the private Wine to a new display of the given size. A running server
# keeps the monitors of the display it started on, so it starts again.
resize_private_display() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    stop_display
    start_xvfb "$1" || return 1
    start_wine_server
}

# Runs a command every tenth of a second until it succeeds, at most the
# given number of times.
wait_for() {
    local tries=$1
    shift
    for ((try = 0; try < tries; try++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The memory a process alone holds, in KiB. Wine's own count of a process's
# private bytes is only what it has in swap (none, on these machines), so
# this is the kernel's: its anonymous resident pages and any swapped out.
private_kib() {
    awk '/^(RssAnon|VmSwap):/ { sum += $2 } END { print sum + 0 }' "/proc/$1/status"
}

# Moves the private prefix to other monitors, laid out as set_monitor_layout
# takes them: on the dummy Xorg display, started first when the prefix is on
# Xvfb. Making a prefix takes 20 s and more; this takes two. Wine reads the
# monitors when its server starts and keeps them, so the server starts again.
use_monitor_layout() {
    wineserver -k
    wineserver -w
    if [[ -z ${DISPLAY_DIR:-} ]]; then
        stop_display
        start_dummy_xorg || return 1
    fi
    set_monitor_layout "$@" || return 1
    start_wine_server
}

stop_private_wine() {
    if [[ -n ${PRIVATE_WINEPREFIX:-} ]]; then
        WINEPREFIX=$PRIVATE_WINEPREFIX wineserver -k >/dev/null 2>&1
        WINEPREFIX=$PRIVATE_WINEPREFIX wineserver -w >/dev/null 2>&1
        rm -rf "$PRIVATE_WINEPREFIX"
        PRIVATE_WINEPREFIX=
    fi
    stop_display
}
