# shellcheck shell=bash
# The Wine user the installer tests install for: registry values, folders
# named by environment variables, Windows paths seen from the shell.

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zantrelle'
DESKTOP_KEY='HKCU\Control Panel\Desktop'
RUNONCE_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
PREVIOUS_SAVER='C:\windows\system32\previous.scr'

# For setup_file: a private display and Wine prefix, and where the installer
# puts things for its user.
start_wine_user() {
    # Bats waits for whatever holds its descriptor 3: the display and Wine's
    # server, which outlive this function, must not.
    start_private_wine 3>&- || return 1
    export DISPLAY_PID PRIVATE_WINEPREFIX
    INSTALL_DIR="$(windows_folder LOCALAPPDATA)\\Programs\\Zantrelle"
    INSTALLED=$(unix_path "$INSTALL_DIR")
    SETTINGS=$(unix_path "$(windows_folder APPDATA)\\Zantrelle")
    CHOOSER_LINK=$(unix_path "$(windows_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")/'Zantrelle Screen Saver.lnk'
    export INSTALL_DIR INSTALLED SETTINGS CHOOSER_LINK
}

# Builds in DIR a setup of VERSION from the release's files, its program
# marked so that a test tells it from the release's.
make_marked_setup() {
    local version=$1 dir=$2
    unpack_zip "$dir"
    printf '%s' "$version" >>"$dir/Zantrelle.scr"
    make_installer "$version" "$dir" "$dir/setup.exe"
}

# Runs the uninstaller of the folder the uninstall entry names. It returns at
# once and works on from a copy of itself; it is done when the entry it
# removes last is gone.
uninstall_silently() {
    wine "$(unix_path "$(reg_value "$UNINSTALL_KEY" InstallLocation)")/Uninstall.exe" /S
    wait_until not_installed
}

not_installed() { ! reg_key_exists "$UNINSTALL_KEY"; }

# For setup: Zantrelle not installed, nothing left for the next sign-in,
# and a screen saver of the user's own, switched off.
reset_wine_user() {
    if reg_key_exists "$UNINSTALL_KEY"; then
        uninstall_silently
    fi
    delete_reg_value "$RUNONCE_KEY" Zantrelle
    set_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE "$PREVIOUS_SAVER"
    set_reg_value "$DESKTOP_KEY" ScreenSaveActive 0
}

# Runs "wine reg query" with the arguments given and prints what it lists;
# fails when the key or value is not there. Only reg's own "unable to find"
# means that: a query that fails otherwise, as one did now and then right
# after an uninstaller ended, is asked again.
reg_query() {
    local listing
    for _ in 1 2 3 4 5; do
        if listing=$(wine reg query "$@" 2>/dev/null); then
            printf '%s\n' "$listing"
            return 0
        fi
        [[ $listing == *"Unable to find the specified registry"* ]] && return 1
        sleep 0.2
    done
    return 1
}

# Prints the data of the registry value NAME under KEY; fails when there is
# no such value.
reg_value() {
    local key=$1 name=$2 listing
    listing=$(reg_query "$key" /v "$name") || return 1
    sed -n "s/^    ${name//./\\.}    REG_[A-Z_]*    \(.*\)\r\$/\1/p" <<<"$listing"
}

# Prints the type of the registry value NAME under KEY, as in REG_SZ.
reg_type() {
    local key=$1 name=$2 listing
    listing=$(reg_query "$key" /v "$name") || return 1
    sed -n "s/^    ${name//./\\.}    \(REG_[A-Z_]*\)    .*/\1/p" <<<"$listing"
}

# Sets the registry value NAME under KEY to DATA, of TYPE (default REG_SZ).
# Like a query, a write that Wine failed to start right after an uninstaller
# ended is made again; it replaces the value, so twice does no harm.
set_reg_value() {
    for _ in 1 2 3 4 5; do
        wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}
delete_reg_value() { wine reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true; }
reg_key_exists() { reg_query "$1" >/dev/null; }

assert_reg_value() {
    local key=$1 name=$2 expected=$3
    run reg_value "$key" "$name"
    assert_success
    assert_output "$expected"
}

refute_reg_value() {
    run reg_value "$1" "$2"
    assert_failure
}

# The Windows folder an environment variable such as APPDATA names.
windows_folder() { wine cmd /c echo "%$1%" | tr -d '\r'; }

unix_path() {
    local path
    path=$(winepath -u "$1" 2>/dev/null) && [[ -n $path ]] && printf '%s\n' "${path%/}"
}

ended() { ! kill -0 "$1" 2>/dev/null; }

# Runs COMMAND until it succeeds, for a minute at most.
wait_until() {
    local deadline=$((SECONDS + 60))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}
