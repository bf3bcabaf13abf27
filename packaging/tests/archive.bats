#!/usr/bin/env bats
# The release's zip and checksums, as a Windows user downloads them.

load common

setup_file() {
    unpack_zip "$BATS_FILE_TMPDIR/zip"
}

@test "the zip holds Zantrelle.scr, README.txt and LICENSE.txt, in that order and nothing else" {
    run unzip -Z1 "$ZIP"
    assert_success
    assert_output "$(printf '%s\n' Zantrelle.scr README.txt LICENSE.txt)"
}

@test "the zip's entries carry the release's time and no extra fields (owner, Unix times)" {
    local expected stamp seconds
    expected=$(release_epoch)
    run bash -c "unzip -ZT '$ZIP' | awk '/^-/ { print \$7 }'"
    assert_equal "${#lines[@]}" 3
    for stamp in "${lines[@]}"; do
        seconds=$(TZ=UTC date -d "${stamp:0:8} ${stamp:9:2}:${stamp:11:2}:${stamp:13:2}" +%s)
        # A DOS time counts in steps of two seconds.
        ((seconds - expected <= 1 && expected - seconds <= 1)) ||
            fail "entry time $stamp is not the release's, $(TZ=UTC date -d "@$expected")"
    done
    run bash -c "unzip -Zv '$ZIP' | grep 'length of extra field:'"
    assert_equal "${#lines[@]}" 3
    refute_line --regexp 'field: +[1-9]'
}

@test "Zantrelle.scr is a 64-bit Windows GUI program with the project version and no link time" {
    run x86_64-w64-mingw32-objdump -p "$BATS_FILE_TMPDIR/zip/Zantrelle.scr"
    assert_success
    assert_line --regexp '^Magic[[:space:]]+020b'
    assert_line --regexp '^Subsystem[[:space:]]+00000002'
    assert_line --regexp '^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970'
    run strings -el "$BATS_FILE_TMPDIR/zip/Zantrelle.scr"
    assert_line --index "$(grep -n -m1 -x ProductVersion <<<"$output" | cut -d: -f1)" "$VERSION"
}

@test "README.txt and LICENSE.txt have CR LF line ends and say what they must" {
    local file
    for file in README.txt LICENSE.txt; do
        run grep -c -v $'\r$' "$BATS_FILE_TMPDIR/zip/$file"
        assert_output 0
    done
    run cat "$BATS_FILE_TMPDIR/zip/README.txt"
    assert_line --index 0 $'Zantrelle '"$VERSION"$', a clock screen saver for Windows\r'
    assert_line $'Install\r'
    assert_line $'Settings\r'
    assert_line $'Uninstall\r'
    run cat "$BATS_FILE_TMPDIR/zip/LICENSE.txt"
    assert_line --index 0 $'MIT License\r'
    assert_line $'Copyright (c) 2026 The Zantrelle authors\r'
}

@test "SHA256SUMS names the zip and the installer, and sha256sum -c accepts it" {
    run cut -c 67- "$DIST/SHA256SUMS"
    assert_output "$(printf '%s\n' "${ZIP##*/}" "${SETUP##*/}")"
    cd "$DIST"
    run sha256sum --strict -c SHA256SUMS
    assert_success
    assert_output "$(printf '%s: OK\n' "${ZIP##*/}" "${SETUP##*/}")"
}
