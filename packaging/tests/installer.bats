#!/usr/bin/env bats
# The installer and the uninstaller, run silently under Wine as a user with a
# screen saver of their own: what they put where, and what they leave.

load common
load wine_user

PREVIOUS_SAVER='C:\windows\system32\previous.scr'

setup_file() {
    # Bats waits for whatever holds its descriptor 3: the display and Wine's
    # server, which outlive this function, must not.
    start_private_wine 3>&- || return 1
    export DISPLAY_PID PRIVATE_WINEPREFIX
    INSTALL_DIR="$(windows_folder LOCALAPPDATA)\\Programs\\Zantrelle"
    INSTALLED=$(unix_path "$INSTALL_DIR")
    SETTINGS=$(unix_path "$(windows_folder APPDATA)\\Zantrelle")
    export INSTALL_DIR INSTALLED SETTINGS

    # An older build for the upgrade: the release's files under version
    # 0.9.0, the program marked so that the upgrade's copy tells from it.
    OLDER=$BATS_FILE_TMPDIR/older
    unpack_zip "$OLDER"
    printf 'older' >>"$OLDER/Zantrelle.scr"
    make_installer 0.9.0 "$OLDER" "$OLDER/setup.exe"
    export OLDER
}

teardown_file() {
    stop_private_wine
}

# The uninstaller returns at once and works on from a copy of itself; it is
# done when the entry it removes last is gone.
uninstall_silently() {
    wine "$INSTALLED/Uninstall.exe" /S
    wait_until not_installed
}

not_installed() { ! reg_key_exists "$UNINSTALL_KEY"; }

# Every test starts with Zantrelle not installed and a screen saver of the
# user's own, switched off.
setup() {
    if reg_key_exists "$UNINSTALL_KEY"; then
        uninstall_silently
    fi
    set_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE "$PREVIOUS_SAVER"
    set_reg_value "$DESKTOP_KEY" ScreenSaveActive 0
}

@test "a silent install puts the program and its uninstaller in %LOCALAPPDATA%\\Programs\\Zantrelle" {
    wine "$SETUP" /S
    run ls "$INSTALLED"
    assert_output "$(printf '%s\n' Uninstall.exe Zantrelle.scr)"
    unpack_zip "$BATS_TEST_TMPDIR"
    cmp "$BATS_TEST_TMPDIR/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
}

@test "a silent install registers the uninstall entry" {
    wine "$SETUP" /S
    assert_reg_value "$UNINSTALL_KEY" DisplayName Zantrelle
    assert_reg_value "$UNINSTALL_KEY" DisplayVersion "$VERSION"
    assert_reg_value "$UNINSTALL_KEY" Publisher "The Zantrelle authors"
    assert_reg_value "$UNINSTALL_KEY" DisplayIcon "$INSTALL_DIR\\Zantrelle.scr"
    assert_reg_value "$UNINSTALL_KEY" InstallLocation "$INSTALL_DIR"
    assert_reg_value "$UNINSTALL_KEY" UninstallString "\"$INSTALL_DIR\\Uninstall.exe\""
    assert_reg_value "$UNINSTALL_KEY" QuietUninstallString "\"$INSTALL_DIR\\Uninstall.exe\" /S"
    assert_reg_value "$UNINSTALL_KEY" NoModify 0x1
    assert_reg_value "$UNINSTALL_KEY" NoRepair 0x1
    # In KiB: at least what the two files take.
    run reg_value "$UNINSTALL_KEY" EstimatedSize
    assert_success
    local files_kib=$((($(stat -c %s "$INSTALLED/Zantrelle.scr") + $(stat -c %s "$INSTALLED/Uninstall.exe")) / 1024))
    ((output >= files_kib)) || fail "EstimatedSize $output KiB, the files take $files_kib KiB"
}

@test "a silent install makes Zantrelle the screen saver, named by its short path" {
    wine "$SETUP" /S
    run reg_value "$DESKTOP_KEY" SCRNSAVE.EXE
    assert_success
    assert_output --regexp '^C:(\\[^\\ ]{1,8}(\.[^\\ ]{1,3})?)+$'
    [[ $(unix_path "$output") -ef $INSTALLED/Zantrelle.scr ]] || fail "$output is not the installed Zantrelle.scr"
    assert_reg_value "$DESKTOP_KEY" ScreenSaveActive 1
}

@test "a silent uninstall removes the program, its folder and its entry, and keeps the user's settings" {
    wine "$SETUP" /S
    mkdir -p "$SETTINGS"
    printf '[Zantrelle]\r\n' >"$SETTINGS/settings.ini"
    uninstall_silently
    assert_dir_not_exists "$INSTALLED"
    run reg_key_exists "$UNINSTALL_KEY"
    assert_failure
    assert_file_exists "$SETTINGS/settings.ini"
    rm -rf "$SETTINGS"
}

@test "a silent uninstall puts back the screen saver set before the install" {
    wine "$SETUP" /S
    uninstall_silently
    assert_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE "$PREVIOUS_SAVER"
    assert_reg_value "$DESKTOP_KEY" ScreenSaveActive 0
}

@test "with no screen saver set before the install, a silent uninstall leaves none" {
    delete_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE
    delete_reg_value "$DESKTOP_KEY" ScreenSaveActive
    wine "$SETUP" /S
    uninstall_silently
    refute_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE
    refute_reg_value "$DESKTOP_KEY" ScreenSaveActive
}

@test "a silent uninstall leaves alone a screen saver chosen after the install" {
    wine "$SETUP" /S
    set_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE 'C:\windows\system32\chosen.scr'
    uninstall_silently
    assert_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE 'C:\windows\system32\chosen.scr'
}

@test "installing over an older build upgrades it in place; uninstalling then puts back the first screen saver" {
    wine "$OLDER/setup.exe" /S
    assert_reg_value "$UNINSTALL_KEY" DisplayVersion 0.9.0
    wine "$SETUP" /S
    assert_reg_value "$UNINSTALL_KEY" DisplayVersion "$VERSION"
    assert_reg_value "$UNINSTALL_KEY" InstallLocation "$INSTALL_DIR"
    unpack_zip "$BATS_TEST_TMPDIR"
    cmp "$BATS_TEST_TMPDIR/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
    run reg_value "$DESKTOP_KEY" SCRNSAVE.EXE
    [[ $(unix_path "$output") -ef $INSTALLED/Zantrelle.scr ]] || fail "$output is not the installed Zantrelle.scr"
    uninstall_silently
    assert_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE "$PREVIOUS_SAVER"
    assert_reg_value "$DESKTOP_KEY" ScreenSaveActive 0
}
