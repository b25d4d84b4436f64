#!/usr/bin/env bash
# Installs into a fresh prefix, moves the installation elsewhere, and runs the
# installed programs from there: they must find their data beside themselves,
# never in the source or build tree, and the desktop files must be valid.
set -euo pipefail
build=$1
source=$2
id=org.liravox.Liravox

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/installed" > /dev/null
mv "$work/installed" "$work/moved"
prefix=$work/moved
share=$prefix/share

for file in bin/liravox bin/lvx share/liravox/Chords.dat share/liravox/help/index.html \
            "share/liravox/examples/Amazing Grace.cho" share/applications/$id.desktop \
            share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
            share/icons/hicolor/scalable/apps/$id.svg; do
    [ -e "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" > /dev/null
# The install built the MIME database: both file types are in it.
[ -e "$share/mime/text/x-chordpro.xml" ] && [ -e "$share/mime/text/x-liravox-album.xml" ] \
    || { echo "file types missing from the MIME database"; exit 1; }

# Nothing compiled into the programs leads back to the source tree's data.
for program in liravox lvx; do
    if grep -qF "$source/data" "$prefix/bin/$program"; then
        echo "$program names the source tree's data folder"
        exit 1
    fi
done

# A C shape only the installed dictionary has: whatever reads it read the installation.
sed -i 's/^{chord: C -1 3 2 0 1 0 1}/{chord: C 3 3 2 0 1 0 1}/' "$share/liravox/Chords.dat"
user=$work/user
mkdir -p "$user/config" "$user/data" "$user/runtime"
chmod 700 "$user/runtime"
run() {
    env -u LIRAVOX_DATA_DIR HOME="$user" XDG_CONFIG_HOME="$user/config" XDG_DATA_HOME="$user/data" \
        XDG_RUNTIME_DIR="$user/runtime" QT_QPA_PLATFORM=offscreen timeout 120 "$@"
}

shape=$(run "$prefix/bin/lvx" --home "$user/lvx" fingering C)
case $shape in
    *'"strings":[0,1,0,2,3,3]'*) ;;
    *) echo "lvx did not read the installed dictionary: $shape"; exit 1 ;;
esac

run env LIRAVOX_HOME="$user/liravox" LIRAVOX_QUIT_AFTER_START=1 "$prefix/bin/liravox" \
    "$share/liravox/examples/Amazing Grace.cho"
grep -qF '{chord: C 3 3 2 0 1 0 1}' "$user/liravox/Chords.dat" \
    || { echo "liravox did not start from the installed dictionary"; exit 1; }
echo "installed and ran from $prefix"
