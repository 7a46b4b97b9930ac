#!/usr/bin/env bash
# The portable zip and the installer around one program file, byte for byte the same from the
# same inputs, whoever builds them, wherever and whenever:
#   make-packages.sh SETTINGS PROGRAM OUT_DIR
# SETTINGS is the release.env that CMake writes; PROGRAM may be a signed Dialvane.exe.
set -euo pipefail
settings=$1 program=$2
out=$(cd "$3" && pwd)
# shellcheck source=/dev/null
source "$settings"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
zip=$out/Dialvane-$VERSION-win64.zip
setup=$out/Dialvane-$VERSION-setup.exe

# The zip and NSIS store each file's time and the zip its Unix mode: both are fixed here, the
# time to the release's, in UTC (a zip stores local time).
staging=$(mktemp -d "$out/staging.XXXXXX")
trap 'rm -rf -- "$staging"' EXIT
cp -- "$program" "$staging/Dialvane.exe"
cp -- "$SOURCE_DIR/packaging/README.txt" "$staging/README.txt"
cp -- "$SOURCE_DIR/LICENSE" "$staging/LICENSE"
chmod 0644 "$staging"/*
touch -d "@$SOURCE_DATE_EPOCH" "$staging"/*

# -X leaves out the owner's ids and the extra time fields, -D the folder entries; the names
# are given in a fixed order.
rm -f -- "$zip.new"
(cd "$staging" && TZ=UTC0 zip -q -X -D "$zip.new" Dialvane.exe README.txt LICENSE)

"$MAKENSIS" -V2 -WX -INPUTCHARSET UTF8 "-DVERSION=$VERSION" "-DVERSION4=$VERSION4" \
    "-DPUBLISHER=$PUBLISHER" "-DPROGRAM=$staging/Dialvane.exe" "-DREADME=$staging/README.txt" \
    "-DLICENSE=$staging/LICENSE" "-DICON=$SOURCE_DIR/resources/dialvane.ico" \
    "-DOUTFILE=$setup.new" "$here/dialvane.nsi"
bash "$here/pe-checksum.sh" "$setup.new"

mv -f -- "$zip.new" "$zip"
mv -f -- "$setup.new" "$setup"
