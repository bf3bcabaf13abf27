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
    wineboot -i >/dev/null 2>&1 || return 1
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

# Starts Xvfb on a display nobody uses (it picks the number itself) with one
# screen of the given size (WIDTHxHEIGHT, 1920x1080 by default) and waits
# until the display answers; sets XVFB_PID and exports DISPLAY.
start_xvfb() {
    local size=${1:-1920x1080} number_file number=
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        number=$(tr -d '[:space:]' <"$number_file")
        [[ -n $number ]] && xdpyinfo -display ":$number" >/dev/null 2>&1 && break
        number=
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    if [[ -z $number ]]; then
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=
        return 1
    fi
    export DISPLAY=:$number
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
    PRIVATE_WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zantrelle-wine.XXXXXX")
    export_wine_environment "$PRIVATE_WINEPREFIX"
    init_wine_prefix || {
        log "could not create the Wine prefix $PRIVATE_WINEPREFIX"
        return 1
    }
    # Our Xvfb has no window manager. Left to expect one, Wine waits two
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
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
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

stop_private_wine() {
    if [[ -n ${PRIVATE_WINEPREFIX:-} ]]; then
        WINEPREFIX=$PRIVATE_WINEPREFIX wineserver -k >/dev/null 2>&1
        WINEPREFIX=$PRIVATE_WINEPREFIX wineserver -w >/dev/null 2>&1
        rm -rf "$PRIVATE_WINEPREFIX"
        PRIVATE_WINEPREFIX=
    fi
    if [[ -n ${XVFB_PID:-} ]]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    fi
}
