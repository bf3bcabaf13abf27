# shellcheck shell=bash
# The Wine user the installer tests install for: registry values, folders
# named by environment variables, Windows paths seen from the shell.

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zantrelle'
DESKTOP_KEY='HKCU\Control Panel\Desktop'

# Prints the data of the registry value NAME under KEY; fails when there is
# no such value.
reg_value() {
    local key=$1 name=$2 listing
    listing=$(wine reg query "$key" /v "$name" 2>/dev/null) || return 1
    sed -n "s/^    ${name//./\\.}    REG_[A-Z_]*    \(.*\)\r\$/\1/p" <<<"$listing"
}

set_reg_value() { wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }
delete_reg_value() { wine reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true; }
reg_key_exists() { wine reg query "$1" >/dev/null 2>&1; }

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

# Runs COMMAND until it succeeds, for a minute at most.
wait_until() {
    local deadline=$((SECONDS + 60))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}
