#!/usr/bin/env bats
# The installer and the uninstaller, run silently under Wine as a user with a
# screen saver of their own: what they put where, what they leave, and one
# version over another.

load common
load wine_user

setup_file() {
    start_wine_user || return 1
    OLDER=$BATS_FILE_TMPDIR/older
    NEWER=$BATS_FILE_TMPDIR/newer
    make_marked_setup 0.9.0 "$OLDER"
    make_marked_setup 9.0.0 "$NEWER"
    export OLDER NEWER
}

teardown_file() {
    stop_private_wine
}

setup() {
    reset_wine_user
}

teardown() {
    if [[ -n ${BY_HAND_PID:-} ]]; then
        kill "$BY_HAND_PID"
        wait_until ended "$BY_HAND_PID"
    fi
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

@test "a Start-menu entry makes Zantrelle the screen saver through the Screen Saver Settings; the uninstaller removes it" {
    wine "$SETUP" /S
    assert_file_exists "$CHOOSER_LINK"
    run strings -el "$CHOOSER_LINK"
    assert_line --partial 'rundll32.exe'
    assert_line --partial "desk.cpl,InstallScreenSaver $INSTALL_DIR\\Zantrelle.scr"
    uninstall_silently
    assert_file_not_exists "$CHOOSER_LINK"
}

@test "installing the same version again repairs it: the program, the Start-menu entry and the uninstall entry come back" {
    wine "$SETUP" /S
    rm "$INSTALLED/Zantrelle.scr" "$CHOOSER_LINK"
    wine reg delete "$UNINSTALL_KEY" /v UninstallString /f
    run wine "$SETUP" /S
    assert_success
    unpack_zip "$BATS_TEST_TMPDIR"
    cmp "$BATS_TEST_TMPDIR/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
    assert_file_exists "$CHOOSER_LINK"
    assert_reg_value "$UNINSTALL_KEY" UninstallString "\"$INSTALL_DIR\\Uninstall.exe\""
}

@test "a silent older setup over a newer version refuses with exit code 1638 and changes nothing" {
    # Wine hands the shell the exit code's low byte.
    wine "$NEWER/setup.exe" /S
    local before
    before=$(wine reg query "$UNINSTALL_KEY" /s)
    run wine "$SETUP" /S
    assert_equal "$status" $((1638 % 256))
    assert_equal "$(wine reg query "$UNINSTALL_KEY" /s)" "$before"
    cmp "$NEWER/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
}

@test "the screen saver set before comes back exactly, of its registry type, even with the program's file gone first" {
    local saver data type
    # Its type, then its data: a short path, a long one, one for Windows to
    # expand.
    for saver in 'REG_SZ C:\PROGRA~1\SOMESA~1\SAVER~1.SCR' \
        'REG_SZ C:\Program Files\Some Saver\saver one.scr' \
        'REG_EXPAND_SZ %SystemRoot%\system32\Mystify.scr'; do
        type=${saver%% *} data=${saver#* }
        set_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE "$data" "$type"
        wine "$SETUP" /S
        rm "$INSTALLED/Zantrelle.scr"
        uninstall_silently
        assert_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE "$data"
        assert_equal "$(reg_type "$DESKTOP_KEY" SCRNSAVE.EXE)" "$type"
    done
}

@test "setup into another folder moves the installation; the uninstaller of a folder the entry does not name leaves the installation alone" {
    local first='C:\ZantrelleA' second='C:\ZantrelleB'
    wine "$SETUP" /S "/D=$first"
    cp "$(unix_path "$first")/Uninstall.exe" "$BATS_TEST_TMPDIR"
    mkdir -p "$SETTINGS"
    printf '[Zantrelle]\r\n' >"$SETTINGS/settings.ini"
    wine "$SETUP" /S "/D=$second"
    assert_dir_not_exists "$(unix_path "$first")"
    assert_file_exists "$SETTINGS/settings.ini"
    assert_reg_value "$UNINSTALL_KEY" InstallLocation "$second"
    run reg_value "$DESKTOP_KEY" SCRNSAVE.EXE
    [[ $(unix_path "$output") -ef $(unix_path "$second")/Zantrelle.scr ]] || fail "$output is not the moved Zantrelle.scr"
    run strings -el "$CHOOSER_LINK"
    assert_line --partial "desk.cpl,InstallScreenSaver $second\\Zantrelle.scr"

    # The first folder's uninstaller, left behind, run as Uninstall.exe runs
    # its copy.
    local before
    before=$(wine reg query "$UNINSTALL_KEY" /s)
    mkdir "$(unix_path "$first")"
    cp "$BATS_TEST_TMPDIR/Uninstall.exe" "$(unix_path "$first")"
    wine "$BATS_TEST_TMPDIR/Uninstall.exe" /S "_?=$first"
    assert_dir_not_exists "$(unix_path "$first")"
    assert_equal "$(wine reg query "$UNINSTALL_KEY" /s)" "$before"
    assert_file_exists "$(unix_path "$second")/Zantrelle.scr"
    assert_file_exists "$CHOOSER_LINK"
    run reg_value "$DESKTOP_KEY" SCRNSAVE.EXE
    [[ $(unix_path "$output") -ef $(unix_path "$second")/Zantrelle.scr ]] || fail "$output is not the moved Zantrelle.scr"
    rm -rf "$SETTINGS"
}

# A setup run by hand waits on its first page, holding what setup and the
# uninstaller share from the moment the System plug-in, which takes it, is
# loaded.
start_setup_by_hand() {
    wine "$SETUP" 3>&- &
    BY_HAND_PID=$!
    wait_until grep -q System.dll "/proc/$BY_HAND_PID/maps"
}

silent_setup() { wine "$SETUP" /S; }
# In place, so that its exit code is seen.
silent_uninstaller() { wine "$INSTALL_DIR\\Uninstall.exe" /S "_?=$INSTALL_DIR"; }

@test "while a setup runs, a silent setup or uninstaller exits with 1618 and changes nothing" {
    wine "$OLDER/setup.exe" /S
    local before second
    before=$(wine reg query "$UNINSTALL_KEY" /s)
    start_setup_by_hand
    for second in silent_setup silent_uninstaller; do
        run "$second"
        # Wine hands the shell the exit code's low byte.
        assert_equal "$status" $((1618 % 256))
        assert_equal "$(wine reg query "$UNINSTALL_KEY" /s)" "$before"
        cmp "$OLDER/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
    done
}
