# shellcheck shell=bash
# Shared by the release's tests: the assertion libraries, the version the
# project declares and the release's files.

bats_load_library bats-support
bats_load_library bats-assert
bats_load_library bats-file

ZANTRELLE_ROOT=$(cd "$BATS_TEST_DIRNAME/../.." && pwd)
source "$ZANTRELLE_ROOT/scripts/lib.sh"
source "$ZANTRELLE_ROOT/scripts/release.sh"
source "$(build_dir release)/package/window_classes.bash"
# Read from CMakeLists.txt itself rather than from the build, so files named
# by any other version fail the tests.
VERSION=$(sed -n 's/^project(Zantrelle VERSION \([0-9.]*\).*/\1/p' "$ZANTRELLE_ROOT/CMakeLists.txt")
DIST=${ZANTRELLE_DIST:-$ZANTRELLE_ROOT/dist}
ZIP=$DIST/Zantrelle-$VERSION-win64.zip
SETUP=$DIST/Zantrelle-$VERSION-setup.exe

# Unpacks the release zip into DIR.
unpack_zip() { unzip -q -o "$ZIP" -d "$1"; }
