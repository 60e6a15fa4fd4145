#!/usr/bin/env bash
# Builds the .deb from a finished build tree, unpacks it into a temporary root and runs
# both programs from there: what a user gets after installing the package.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${QUARRION_TEST_TMP:-/tmp}/package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(ls "$work"/packages/*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libsqlite3-0 libxslt1.1 libxlsxwriter; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

root="$work/root"
dpkg -x "$deb" "$root"
id=net.quarrion.Quarrion
for file in usr/bin/quarrion usr/bin/quarrion-cli "usr/share/quarrion/Temp Control File.tsl" \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/man/man1/quarrion-cli.1; do
    [ -f "$root/$file" ] || fail "the package lacks $file"
done
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "metainfo invalid"
grep -q -- '--type' "$root/usr/share/man/man1/quarrion-cli.1" || fail "the manual page lacks the search options"

# The terminal tool on the embedded sample company, from the unpacked root.
export QUARRION_HOME="$work/home"
"$root/usr/bin/quarrion-cli" search --type Invoice --rule "text contains Supply" --format csv >"$work/found.csv" ||
    fail "quarrion-cli search failed"
head -1 "$work/found.csv" | grep -q '^Date,Num,Customer' || fail "unexpected headings: $(head -1 "$work/found.csv")"
rows=$(grep -c 'Supply' "$work/found.csv" || true)
[ "$rows" -gt 0 ] || fail "the search found no invoice: $(head -5 "$work/found.csv")"

# The shipped control file is read from the unpacked share folder: spoiled there, a
# fresh data folder gets no catalog, so the invoices lose their columns.
good="$work/control.tsl"
cp "$root/usr/share/quarrion/Temp Control File.tsl" "$good"
printf 'not a control file\n' >"$root/usr/share/quarrion/Temp Control File.tsl"
QUARRION_HOME="$work/home2" "$root/usr/bin/quarrion-cli" search --type Invoice --format csv >"$work/spoilt.csv" 2>&1 || true
if grep -q '^Date,Num,Customer' "$work/spoilt.csv"; then
    fail "the programs do not read the control file installed beside them"
fi
cp "$good" "$root/usr/share/quarrion/Temp Control File.tsl"

# The desktop program draws its main window into a picture and exits.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/quarrion" --screenshot "$work/main.png" || fail "quarrion --screenshot failed"
python3 - "$work/main.png" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
width, height = struct.unpack(">II", data[16:24])
assert width >= 600 and height >= 400, f"picture too small: {width}x{height}"
assert len(data) > 10000, "picture suspiciously small"
PY
echo "package ok: $(basename "$deb")"
