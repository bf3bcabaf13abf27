# shellcheck shell=bash
# Shared by scripts/package and the release's tests (packaging/tests): how the
# release's files are laid out, zipped and made into an installer, so that the
# same commit gives the same bytes wherever it is packaged. Needs lib.sh.

PACKAGES_RELEASE=(nsis zip git)
# A signed release (scripts/sign); its tests make a certificate of their own.
PACKAGES_SIGN=(osslsigncode)
PACKAGES_RELEASE_TESTS=(bats bats-assert bats-support bats-file unzip openssl osslsigncode)

# The time every file in the release carries: SOURCE_DATE_EPOCH when it is
# set, else the time of the commit checked out.
release_epoch() {
    if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
        printf '%s\n' "$SOURCE_DATE_EPOCH"
    else
        git -C "$ZANTRELLE_ROOT" log -1 --format=%ct 2>/dev/null
    fi
}

# Copies the given files into the directory DIR with one mode and one time,
# SOURCE_DATE_EPOCH's, whatever the checkout or the umask made of them.
stage_files() {
    local dir=$1
    shift
    mkdir -p "$dir" &&
        install -m 644 "$@" "$dir" &&
        touch -d "@$SOURCE_DATE_EPOCH" "$dir"/*
}

# Writes the zip OUT of the named files in DIR, in the order given. No extra
# fields (owners, Unix times) and no directory entries; the one DOS time of
# each entry is read in UTC, so the local time zone changes nothing.
make_zip() {
    local out dir=$2
    out=$(realpath -m "$1")
    shift 2
    rm -f "$out"
    (cd "$dir" && TZ=UTC zip -q -X -D -9 "$out" "$@")
}

# Builds the installer OUT of version VERSION from DIR, which holds
# Zantrelle.scr and LICENSE.txt; with SIGNER, a command that signs a file in
# place, its uninstaller is signed before it is packed.
make_installer() {
    local version=$1 dir=$2 out=$3 signer=${4:-}
    local defines=("-DVERSION=$version" "-DFILES=$(realpath "$dir")" "-DOUTFILE=$(realpath -m "$out")")
    # The build writes the window classes' names out for the scripts.
    defines+=("-X!addincludedir $(build_dir release)/package")
    [[ -z $signer ]] || defines+=("-DSIGN=$signer")
    makensis -V2 -INPUTCHARSET UTF8 "${defines[@]}" "$ZANTRELLE_ROOT/packaging/zantrelle.nsi"
}
