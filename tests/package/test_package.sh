#!/usr/bin/env bash
# Builds the Debian package from the build, checks what it holds as a desktop reads it, and runs
# the program unpacked from it into a temporary root.
# Arguments: the build directory, the program's version, its desktop id.
set -euo pipefail
build=$1 version=$2 id=$3
work=$(mktemp -d)
child=""
cleanup() {
    [ -n "$child" ] && kill "$child" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$work/out/korvel_${version}_amd64.deb
[ -f "$deb" ] || fail "no korvel_${version}_amd64.deb; cpack made: $(ls "$work/out")"

# Exactly these files, all under /usr: nothing of the build or the tests slips in.
icons=/usr/share/icons/hicolor
expected=(/usr/bin/korvel "/usr/share/applications/$id.desktop"
          "/usr/share/metainfo/$id.metainfo.xml" "$icons/scalable/apps/$id.svg"
          /usr/lib/korvel/korvel_arabic.so /usr/share/doc/korvel/copyright
          /usr/share/doc/korvel/changelog.gz /usr/share/man/man1/korvel.1.gz)
for size in 16 24 32 48 64 128 256; do
    expected+=("$icons/${size}x$size/apps/$id.png")
done
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort)
[ "$files" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
    fail "the package holds:"$'\n'"$files"

# Computed from the linked libraries, plus the plugins Qt loads at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libqt6widgets6 libqt6printsupport6 libsqlite3-0 libqt6sql6-sqlite \
    qt6-qpa-plugins qt6-translations-l10n; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done

recommends=$(dpkg-deb -f "$deb" Recommends)
for package in libqt6sql6-psql cups; do
    grep -qE "(^|, )$package( |,|$)" <<<"$recommends" || fail "Recommends lacks $package: $recommends"
done

# Debian's own checks: an error fails the package, warnings are shown.
report=$(lintian --no-tag-display-limit "$deb" 2>&1) || true
[ -z "$report" ] || echo "$report"
! grep -q "^E: " <<<"$report" || fail "lintian reports errors"

root=$work/root
dpkg -x "$deb" "$root"
# Hints and warnings count too: a menu may file the entry wrongly for them.
if ! report=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) ||
    [ -n "$report" ]; then
    fail "desktop-file-validate: $report"
fi
grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" || fail "the entry's icon is not $id"
grep -qx "Exec=korvel" "$root/usr/share/applications/$id.desktop" || fail "the entry runs no korvel"
grep -qx "Categories=Office;Finance;" "$root/usr/share/applications/$id.desktop" ||
    fail "the entry's categories are not Office;Finance;"
# An Arabic desktop names and describes it in Arabic.
for key in 'Name\[ar\]' 'Comment\[ar\]'; do
    grep -q "^$key=[^A-Za-z]*$" "$root/usr/share/applications/$id.desktop" ||
        fail "the entry has no Arabic $key"
done
report=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $report"

# The sqlite3 tool orders by the packaged collation as the program does.
order=$(sqlite3 :memory: -cmd ".load $root/usr/lib/korvel/korvel_arabic" \
    "SELECT group_concat(name, ' ') FROM (SELECT 'b' AS name UNION SELECT 'A' UNION SELECT 'أ'
     ORDER BY name COLLATE ARABIC)") || fail "sqlite3 could not load the collation"
[ "$order" = "أ A b" ] || fail "the collation ordered: $order"

# Each PNG is as large as the theme folder it is in says; the SVG is a drawing.
for size in 16 24 32 48 64 128 256; do
    png=$root$icons/${size}x$size/apps/$id.png
    read -r -a header <<<"$(od -An -tu1 -w24 -N24 "$png")"
    [ "${header[*]:1:3}" = "80 78 71" ] || fail "$png is no PNG"
    width=$(((header[16] << 24) + (header[17] << 16) + (header[18] << 8) + header[19]))
    height=$(((header[20] << 24) + (header[21] << 16) + (header[22] << 8) + header[23]))
    [ "$width x $height" = "$size x $size" ] || fail "$png is $width x $height"
done
grep -q "<svg" "$root$icons/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"

# The installed program answers without a display, from the system's libraries alone.
clean=(env -i PATH=/usr/bin:/bin HOME="$work/home")
output=$("${clean[@]}" "$root/usr/bin/korvel" --version) || fail "korvel --version failed"
[ "$output" = "korvel $version" ] || fail "korvel --version printed: $output"

# Installed, it keeps errors.log in the per-user data directory, never beside itself, even where
# it could write there.
data=$work/home/data/ovrant/korvel
"${clean[@]}" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
    QT_QPA_PLATFORM=offscreen "$root/usr/bin/korvel" >"$work/korvel.log" 2>&1 &
child=$!
for _ in $(seq 100); do
    [ -f "$data/errors.log" ] && break
    kill -0 "$child" 2>/dev/null || break
    sleep 0.2
done
[ -f "$data/errors.log" ] || { cat "$work/korvel.log"; fail "no errors.log in $data"; }
kill "$child"
wait "$child" 2>/dev/null || true
child=""
[ "$(ls "$root/usr/bin")" = "korvel" ] || fail "files beside the program: $(ls "$root/usr/bin")"
echo "PASS: $(basename "$deb")"
