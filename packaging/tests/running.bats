#!/usr/bin/env bats
# Setup and uninstaller, run silently under Wine while the installed program
# runs: a preview or the Settings dialog is asked to close and its file
# replaced or removed; a full-screen cover keeps its file until the next
# sign-in, whose command then finishes the job.

load common
load wine_user

setup_file() {
    start_wine_user || return 1
    OLDER=$BATS_FILE_TMPDIR/older
    make_marked_setup 0.9.0 "$OLDER"
    START_SAVER=$BATS_FILE_TMPDIR/start_saver.exe
    x86_64-w64-mingw32-gcc -municode -O2 -DDIALOG_WINDOW_CLASS="L\"$DIALOG_WINDOW_CLASS\"" -o "$START_SAVER" \
        "$BATS_TEST_DIRNAME/start_saver.c"
    SIGN_IN=$BATS_FILE_TMPDIR/sign_in.exe
    x86_64-w64-mingw32-gcc -municode -O2 -o "$SIGN_IN" "$BATS_TEST_DIRNAME/sign_in.c"
    export OLDER START_SAVER SIGN_IN
}

teardown_file() {
    stop_private_wine
}

setup() {
    reset_wine_user
}

teardown() {
    [[ -z ${SAVER_PID:-} ]] || end_full_screen
}

# A Windows exit code as the shell sees it from Wine: its low byte.
SIGN_IN_COMPLETES=$((3010 % 256))

# Runs the installed program as the Screen Saver Settings do, /P (in a
# preview pane) or /C (its Settings dialog), and returns once its window is
# there; SHOWN_PID ends with it.
start_shown() {
    rm -f "$BATS_TEST_TMPDIR/shown"
    wine "$START_SAVER" "$INSTALL_DIR\\Zantrelle.scr" "$1" >"$BATS_TEST_TMPDIR/shown" 3>&- &
    SHOWN_PID=$!
    wait_until grep -q shown "$BATS_TEST_TMPDIR/shown"
}

# Runs the program installed in FOLDER (default the installed one) full
# screen and returns once Wine has loaded its file, which from then on cannot
# be deleted.
start_full_screen() {
    wine "${1:-$INSTALLED}/Zantrelle.scr" /S 3>&- &
    SAVER_PID=$!
    wait_until grep -q Zantrelle.scr "/proc/$SAVER_PID/maps"
}

end_full_screen() {
    kill "$SAVER_PID"
    wait_until ended "$SAVER_PID"
    SAVER_PID=
}

# Runs what was left for the next sign-in, as Windows does at sign-in.
sign_in() {
    run wine "$SIGN_IN"
    assert_success
}

@test "a preview or the Settings dialog is asked to close: an upgrade then replaces the program, exits 0 and keeps the entry; an uninstall leaves nothing" {
    unpack_zip "$BATS_TEST_TMPDIR"
    local way
    for way in /P /C; do
        wine "$OLDER/setup.exe" /S
        start_shown "$way"
        run wine "$SETUP" /S
        assert_success
        wait_until ended "$SHOWN_PID"
        cmp "$BATS_TEST_TMPDIR/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
        run ls "$INSTALLED"
        assert_output "$(printf '%s\n' Uninstall.exe Zantrelle.scr)"
        assert_reg_value "$UNINSTALL_KEY" DisplayVersion "$VERSION"
        refute_reg_value "$RUNONCE_KEY" Zantrelle

        start_shown "$way"
        uninstall_silently
        wait_until ended "$SHOWN_PID"
        assert_dir_not_exists "$INSTALLED"
        refute_reg_value "$RUNONCE_KEY" Zantrelle
    done
}

@test "an upgrade while the program runs full screen puts the new one in place, leaves the old one to the next sign-in and exits 3010" {
    wine "$OLDER/setup.exe" /S
    start_full_screen
    run wine "$SETUP" /S
    assert_equal "$status" "$SIGN_IN_COMPLETES"
    unpack_zip "$BATS_TEST_TMPDIR"
    cmp "$BATS_TEST_TMPDIR/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
    cmp "$OLDER/Zantrelle.scr" "$INSTALLED/Zantrelle.scr.old"
    assert_reg_value "$UNINSTALL_KEY" DisplayVersion "$VERSION"
    end_full_screen
    sign_in
    run ls "$INSTALLED"
    assert_output "$(printf '%s\n' Uninstall.exe Zantrelle.scr)"
}

@test "an uninstall while the program runs full screen schedules what it cannot remove, then drops its entry, and exits 3010; the next sign-in leaves nothing" {
    wine "$SETUP" /S
    start_full_screen
    # In place, rather than from the copy it would start and not wait for,
    # so that its exit code is seen; its own file is in use then too.
    run wine "$INSTALL_DIR\\Uninstall.exe" /S "_?=$INSTALL_DIR"
    assert_equal "$status" "$SIGN_IN_COMPLETES"
    run reg_key_exists "$UNINSTALL_KEY"
    assert_failure
    assert_file_not_exists "$CHOOSER_LINK"
    assert_reg_value "$DESKTOP_KEY" SCRNSAVE.EXE "$PREVIOUS_SAVER"
    run reg_value "$RUNONCE_KEY" Zantrelle
    assert_output --partial 'del /f /q Zantrelle.scr & del /f /q Uninstall.exe'
    end_full_screen
    sign_in
    assert_dir_not_exists "$INSTALLED"
}

@test "a folder of 200 characters with %, !, & and spaces in its name: the next sign-in's command fits a RunOnce value, runs as written and removes the folder" {
    local name='Zantrelle 100% & done! %PATH% ^ (x)' folder
    folder="C:\\$name\\$name $(printf 'y%.0s' {1..150})"
    folder=${folder:0:200}
    set_reg_value "$UNINSTALL_KEY" InstallLocation "$folder"
    wine "$SETUP" /S
    local installed
    installed=$(unix_path "$folder")
    assert_file_exists "$installed/Zantrelle.scr"
    start_full_screen "$installed"
    uninstall_silently
    run reg_value "$RUNONCE_KEY" Zantrelle
    assert_output --regexp '^"C:\\windows\\system32\\cmd\.exe" /d /v:off /c '
    ((${#output} <= 259)) || fail "${#output} characters: Windows would not run it"
    end_full_screen
    sign_in
    assert_dir_not_exists "$installed"
    assert_dir_exists "$(dirname "$installed")"
}
