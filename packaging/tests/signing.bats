#!/usr/bin/env bats
# A signed release, made by scripts/package with a throw-away certificate of
# the test's own: the program, the uninstaller and the setup each carry a
# signature that verifies against it, and the program with its signature
# taken off is the unsigned release's, byte for byte.

load common
load wine_user

setup_file() {
    local keys=$BATS_FILE_TMPDIR/keys
    mkdir -p "$keys"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Zantrelle test signer" \
        -addext extendedKeyUsage=codeSigning -keyout "$keys/key.pem" -out "$keys/certificate.pem" 2>/dev/null
    openssl pkcs12 -export -inkey "$keys/key.pem" -in "$keys/certificate.pem" -passout pass:throw-away \
        -out "$keys/signer.pfx"
    CERTIFICATE=$keys/certificate.pem
    SIGNED=$BATS_FILE_TMPDIR/signed
    ZANTRELLE_SIGN_PFX=$keys/signer.pfx ZANTRELLE_SIGN_PASSWORD=throw-away ZANTRELLE_DIST=$SIGNED \
        "$ZANTRELLE_ROOT/scripts/package" 2>/dev/null
    unzip -q "$SIGNED/${ZIP##*/}" Zantrelle.scr -d "$SIGNED/zip"
    export CERTIFICATE SIGNED
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
