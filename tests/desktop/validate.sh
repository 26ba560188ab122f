#!/usr/bin/env bash
# validate.sh <build-dir> <program>: installs the build into a temporary prefix and checks
# what a Linux desktop reads from it. Prints the reason and exits 1 on the first failure.
set -uo pipefail

build=${1:?usage: validate.sh <build-dir> <program>}
program=${2:?usage: validate.sh <build-dir> <program>}
app=org.tessaline.Tessaline
mimetype=application/x-tessaline-game

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cmake desktop-file-validate appstreamcli update-mime-database update-desktop-database xdg-mime file; do
  command -v "$tool" >/dev/null || fail "the tool '$tool' is not installed (scripts/install-deps.sh installs it)"
done
[[ -x $program ]] || fail "the program $program is not built; build the 'tessaline' target first"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

if ! log=$(cmake --install "$build" --prefix "$prefix" 2>&1); then
  fail "cmake --install into $prefix failed:"$'\n'"$log"
fi

share=$prefix/share
desktop=$share/applications/$app.desktop
metainfo=$share/metainfo/$app.metainfo.xml
hicolor=$share/icons/hicolor

expect_file() {
  [[ -f $1 ]] || fail "the install did not create ${1#"$prefix"/}"
}
expect_file "$prefix/bin/tessaline"
expect_file "$desktop"
expect_file "$metainfo"
expect_file "$share/mime/packages/$app.xml"
expect_file "$hicolor/scalable/apps/$app.svg"
expect_file "$hicolor/scalable/mimetypes/${mimetype/\//-}.svg"
for size in 16 22 24 32 48 64 128 256; do
  for icon in "apps/$app.png" "mimetypes/${mimetype/\//-}.png"; do
    png=$hicolor/${size}x$size/$icon
    expect_file "$png"
    file -b "$png" | grep -q "PNG image data, $size x $size," ||
      fail "${png#"$prefix"/} is not a ${size}x$size PNG: $(file -b "$png")"
  done
done

# The desktop entry: valid, and naming an icon and a program that were installed.
if ! out=$(desktop-file-validate "$desktop" 2>&1) || [[ -n $out ]]; then
  fail "desktop-file-validate rejects the desktop entry:"$'\n'"$out"
fi
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $hicolor/scalable/apps/$icon.svg ]] || fail "the desktop entry's Icon=$icon was not installed"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ -x $prefix/bin/$exec_name ]] || fail "the desktop entry runs '$exec_name', which is not in bin/"
grep -q "^MimeType=.*$mimetype;" "$desktop" || fail "the desktop entry does not claim $mimetype"
# Qt names the window's X class after the program: docks match it to the launcher by it.
grep -qx "StartupWMClass=$exec_name" "$desktop" || fail "the desktop entry has no StartupWMClass=$exec_name"

if ! out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
  fail "appstreamcli rejects the AppStream metadata:"$'\n'"$out"
fi

# The install itself registered the file type and the launcher (a packager's staged install
# below leaves that to the package's triggers).
[[ -f $share/mime/mime.cache ]] || fail "the install did not run update-mime-database"
grep -q "^$mimetype=.*$app.desktop" "$share/applications/mimeinfo.cache" 2>/dev/null ||
  fail "the install did not run update-desktop-database"
if command -v gtk-update-icon-cache >/dev/null; then
  [[ -f $hicolor/icon-theme.cache ]] || fail "the install did not refresh the icon cache"
fi
stage=$prefix/stage
if ! log=$(DESTDIR=$stage cmake --install "$build" --prefix /usr/local 2>&1); then
  fail "cmake --install with DESTDIR=$stage failed:"$'\n'"$log"
fi
expect_file "$stage/usr/local/share/mime/packages/$app.xml"
for cache in mime/mime.cache applications/mimeinfo.cache icons/hicolor/icon-theme.cache; do
  [[ ! -e $stage/usr/local/share/$cache ]] || fail "an install into DESTDIR wrote share/$cache"
done

# A real saved game: the quoted tag and the 52 card numbers, CR LF line ends, 211 bytes.
games=$prefix/games
mkdir -p "$games" "$prefix/data-home"
{
  printf '"Tessaline"\r\n'
  for card in $(seq 0 51); do printf '%d\r\n' "$card"; done
} >"$games/deal.tsl"
size=$(stat -c %s "$games/deal.tsl")
[[ $size == 211 ]] || fail "the sample saved game is $size bytes, not 211"
cp "$games/deal.tsl" "$games/deal-without-extension"
printf 'Tessaline was here\r\n' >"$games/notes"
printf '0\r\n1\r\n' >"$games/damaged.tsl"

query() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    XDG_DATA_DIRS="$share" XDG_DATA_HOME="$prefix/data-home" xdg-mime query filetype "$1" 2>&1
}
expect_type() {
  local got
  got=$(query "$1")
  [[ $got == "$2" ]] || fail "xdg-mime calls ${1##*/} '$got', expected '$2' ($3)"
}
expect_type "$games/deal.tsl" "$mimetype" "by its .tsl name"
expect_type "$games/deal-without-extension" "$mimetype" "by the quoted tag it starts with"
expect_type "$games/damaged.tsl" "$mimetype" "by its .tsl name alone"
got=$(query "$games/notes")
[[ $got != "$mimetype" ]] || fail "a text that merely mentions Tessaline unquoted is taken for a saved game"

echo "desktop integration OK: entry, metadata, $(find "$hicolor" -type f | wc -l) icons and $mimetype"
