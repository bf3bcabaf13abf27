#!/usr/bin/env bats
# A signed release, made by scripts/package with a throw-away certificate of
# the test's own: the program, the uninstaller and the setup each carry a
# signature that verifies against it, the program with its signature taken
# off is the unsigned release's, byte for byte, and no process of the build
# has the key's password in its environment. A key without a password signs
# too.

load common
load wine_user

# Writes the PKCS#12 file OUT of the certificate and key in DIR, sealed with
# PASSWORD (empty for none).
export_key() {
    openssl pkcs12 -export -inkey "$1/key.pem" -in "$1/certificate.pem" -passout "pass:$3" -out "$2"
}

# Lists, while the process PID runs, every process whose environment holds
# TEXT, as "pid restarted" where the environment also names the descriptor
# scripts/package hands the password on with, else "pid first". Both are
# read from one copy of the environment: a process may start another
# program between two reads.
watch_environments() {
    local pid=$1 text=$2 file environment
    while kill -0 "$pid" 2>/dev/null; do
        for file in $(grep -laF -- "$text" /proc/[0-9]*/environ 2>/dev/null); do
            environment=$(tr '\0' '\n' <"$file" 2>/dev/null) || continue
            [[ $environment == *"$text"* ]] || continue
            if [[ $environment == *ZANTRELLE_SIGN_PASSWORD_FD=* ]]; then
                echo "$(basename "$(dirname "$file")") restarted"
            else
                echo "$(basename "$(dirname "$file")") first"
            fi
        done
        sleep 0.05
    done
}

setup_file() {
    local keys=$BATS_FILE_TMPDIR/keys password
    mkdir -p "$keys"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Zantrelle test signer" \
        -addext extendedKeyUsage=codeSigning -keyout "$keys/key.pem" -out "$keys/certificate.pem" 2>/dev/null
    password=$(openssl rand -hex 16)
    export_key "$keys" "$keys/signer.pfx" "$password"
    export_key "$keys" "$keys/open.pfx" ""
    CERTIFICATE=$keys/certificate.pem
    OPEN_KEY=$keys/open.pfx
    SIGNED=$BATS_FILE_TMPDIR/signed
    ZANTRELLE_SIGN_PFX=$keys/signer.pfx ZANTRELLE_SIGN_PASSWORD=$password ZANTRELLE_DIST=$SIGNED \
        "$ZANTRELLE_ROOT/scripts/package" 2>/dev/null &
    local packaging=$!
    # Only the packaging script's own first moments may hold it: the
    # variable the caller gave it, which it drops before it runs anything.
    watch_environments "$packaging" "$password" | sort -u | grep -v "^$packaging first\$" \
        >"$BATS_FILE_TMPDIR/password-seen" || true
    wait "$packaging"
    unzip -q "$SIGNED/${ZIP##*/}" Zantrelle.scr -d "$SIGNED/zip"
    export CERTIFICATE OPEN_KEY SIGNED
    start_wine_user
}

teardown_file() {
    stop_private_wine
}

assert_signed() {
    run osslsigncode verify -CAfile "$CERTIFICATE" -in "$1"
    assert_success
    assert_line 'Signature verification: ok'
}

@test "the program in the zip, the setup and what it installs carry signatures that verify against the certificate" {
    assert_signed "$SIGNED/zip/Zantrelle.scr"
    assert_signed "$SIGNED/${SETUP##*/}"
    # The sums are of the files as signed.
    (cd "$SIGNED" && sha256sum --strict --quiet -c SHA256SUMS)
    wine "$SIGNED/${SETUP##*/}" /S
    assert_signed "$INSTALLED/Uninstall.exe"
    cmp "$SIGNED/zip/Zantrelle.scr" "$INSTALLED/Zantrelle.scr"
}

@test "with its signature taken off, the signed program is the unsigned release's" {
    unpack_zip "$BATS_TEST_TMPDIR"
    osslsigncode remove-signature -in "$SIGNED/zip/Zantrelle.scr" -out "$BATS_TEST_TMPDIR/unsigned.scr"
    cmp "$BATS_TEST_TMPDIR/Zantrelle.scr" "$BATS_TEST_TMPDIR/unsigned.scr"
}

@test "no process of a signed build but the packaging script's first moments has the password in its environment" {
    run cat "$BATS_FILE_TMPDIR/password-seen"
    assert_output ""
}

@test "a key without a password signs" {
    unpack_zip "$BATS_TEST_TMPDIR"
    ZANTRELLE_SIGN_PFX=$OPEN_KEY SOURCE_DATE_EPOCH=0 "$ZANTRELLE_ROOT/scripts/sign" "$BATS_TEST_TMPDIR/Zantrelle.scr"
    assert_signed "$BATS_TEST_TMPDIR/Zantrelle.scr"
}
