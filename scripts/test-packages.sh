#!/usr/bin/env bash
# Builds the packages and checks them as a user meets them: what the .deb
# holds and depends on, the desktop entry, the AppStream metadata, the
# manual page, lintian's verdict, and, with the .deb installed by apt-get,
# the .sq2 file type, its default program, and sqpatch started from the PATH
# and by opening a .sq2 file. The package is removed again at the end. Then
# the Windows .zip and .msi. Needs root (or sudo) for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

bash scripts/install-deps.sh packages

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
pass() { echo "ok: $*"; }

mime_type=application/x-stonequill-patch
linux=packaging/linux
work=$(mktemp -d)
installed=""
cleanup() {
  if [ -n "$installed" ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get remove --purge -y sqpatch >/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# --- The files of the desktop integration, before any build ---------------
desktop-file-validate "$linux/sqpatch.desktop" || fail "desktop-file-validate"
pass "desktop entry validates"
xmllint --noout "$linux/sqpatch-mime.xml" "$linux/sqpatch.svg" || fail "XML of the MIME type or icon"
pass "MIME type and icon are well-formed XML"
warnings=$(groff -ww -z -man "$linux/sqpatch.1" 2>&1)
[ -z "$warnings" ] || fail "groff warns about the man page: $warnings"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
  man --warnings -E UTF-8 -l -Tutf8 -Z "$linux/sqpatch.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns about the man page: $warnings"
pass "man page lints clean"

# --- The .deb ---------------------------------------------------------------
cmake --workflow --preset release
deb=$(ls build/release/sqpatch_*.deb)
[ "$(echo "$deb" | wc -l)" -eq 1 ] || fail "expected one .deb, found: $deb"

expected=(
  ./usr/bin/sqpatch
  ./usr/share/applications/sqpatch.desktop
  ./usr/share/mime/packages/sqpatch.xml
  ./usr/share/icons/hicolor/scalable/apps/sqpatch.svg
  ./usr/share/metainfo/invalid.stonequill.sqpatch.metainfo.xml
  ./usr/share/man/man1/sqpatch.1.gz
  ./usr/share/doc/sqpatch/README.md
  ./usr/share/doc/sqpatch/copyright
  ./usr/share/doc/sqpatch/changelog.gz
)
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort)
[ "$files" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
  fail "the .deb holds other files than expected:"$'\n'"$listing"
owners=$(awk '{ print $2 }' <<<"$listing" | sort -u)
[ "$owners" = root/root ] || fail "files owned by $owners"
grep -q '^-rwxr-xr-x .* \./usr/bin/sqpatch$' <<<"$listing" || fail "sqpatch is not executable"
pass "dpkg-deb -c lists the expected files"

# The same layout comes from cmake --install alone.
DESTDIR="$work/stage" cmake --install build/release >/dev/null
staged=$(cd "$work/stage" && find . -type f | sort)
[ "$staged" = "$files" ] || fail "cmake --install differs from the .deb:"$'\n'"$staged"
pass "cmake --install lays out the same files"

# The metadata against the desktop entry it launches, as installed.
appstreamcli validate-tree --no-net "$work/stage" || fail "appstreamcli validate-tree"
pass "AppStream metadata validates"

# Errors fail; what else lintian says is shown.
lintian --fail-on error --display-level '>=info' --tag-display-limit 0 "$deb" >"$work/lintian.log" ||
  { cat "$work/lintian.log"; fail "lintian reports errors"; }
pass "lintian finds no error; it says:"
sed 's/^/    /' "$work/lintian.log"

depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libstdc++6 libc6; do
  grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "fonts-wine" ] || fail "Recommends is not fonts-wine"
pass "Depends: $depends; Recommends: fonts-wine"

# --- Installed --------------------------------------------------------------
installed=yes
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "$PWD/$deb" >"$work/apt.log" ||
  { cat "$work/apt.log"; fail "apt-get install"; }
[ "$(command -v sqpatch)" = /usr/bin/sqpatch ] || fail "sqpatch is not on the PATH"
[ "$(man -w sqpatch)" = /usr/share/man/man1/sqpatch.1.gz ] || fail "man sqpatch finds no page"
pass "installed with apt-get; sqpatch and its man page are found"

# Samples as a user has them: a patch file, the same in capitals, and a file
# of another type. A clean home keeps the user's own choices out.
mkdir -p "$work/home" "$work/files"
printf 'SQ2\n' >"$work/files/north.sq2"
printf 'SQ2\n' >"$work/files/SOUTH.SQ2"
printf 'notes\n' >"$work/files/notes.txt"
desktop() {
  env -i HOME="$work/home" PATH=/usr/bin:/bin XDG_DATA_DIRS=/usr/local/share:/usr/share "$@"
}
# xdg-mime asks File::MimeInfo without a desktop, and GLib's gio as on GNOME,
# which also honours the letter case rules of the type.
filetype() {
  desktop XDG_CURRENT_DESKTOP="$1" xdg-mime query filetype "$work/files/$2"
}
for session in "" GNOME; do
  for sample in north.sq2 SOUTH.SQ2; do
    type=$(filetype "$session" "$sample")
    [ "$type" = "$mime_type" ] || fail "xdg-mime (${session:-no desktop}) gives '$type' for $sample"
  done
  type=$(filetype "$session" notes.txt)
  [ "$type" != "$mime_type" ] || fail "a .txt file is taken for a patch"
done
default=$(desktop xdg-mime query default "$mime_type")
[ "$default" = sqpatch.desktop ] || fail "default for $mime_type is '$default'"
pass "xdg-mime: .sq2 and .SQ2 are $mime_type, opened by $default"

# A virtual display of our own: xvfb-run -a starts its search at :99, where
# other runs on the same machine may be starting theirs at the same moment.
on_display() {
  timeout 90 xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 640x480x24" "$@"
}

# sqpatch from the PATH with no arguments: the usage box waits for the
# user; Enter closes it and the program ends with status 1.
cd "$work/files"
on_display bash -c '
  sqpatch & pid=$!
  box=$(timeout 20 xdotool search --sync --name "^Error$" | head -n 1)
  xdotool windowfocus --sync "$box" key Return
  status=0; wait "$pid" || status=$?
  [ "$status" -eq 1 ] || { echo "exit status $status" >&2; exit 1; }
' || fail "sqpatch without arguments did not show the Error box and end with status 1"
pass "sqpatch from the PATH shows the Error box and ends with status 1"

# Opening a .sq2 file the way a file manager does starts the wizard on it.
on_display bash -c '
  env -i HOME="$2" PATH=/usr/bin:/bin XDG_DATA_DIRS=/usr/local/share:/usr/share \
    DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" xdg-open "$1" & opener=$!
  window=$(timeout 20 xdotool search --sync --name "^Stonequill Patch 1$" | head -n 1)
  pid=$(xdotool getwindowpid "$window")
  tr "\0" " " </proc/"$pid"/cmdline | grep -qF "sqpatch $1" || exit 1
  # The desktop finds the entry and the icon for the window.
  xprop -id "$window" WM_CLASS | grep -qF "= \"sqpatch\"," || exit 1
  xprop -id "$window" _NET_WM_ICON | grep -qF "Icon (32 x 32)" || exit 1
  # An accepted start: no Error box, the wizard stays open.
  sleep 1
  xdotool search --name "^Error$" >/dev/null && exit 1
  kill -0 "$pid" || exit 1
  kill "$pid"
  wait "$opener" || true
' open "$work/files/SOUTH.SQ2" "$work/home" || fail "xdg-open on a .SQ2 file did not open the wizard on it"
pass "xdg-open SOUTH.SQ2 opens the wizard on that file, with WM_CLASS sqpatch and its icon"
cd - >/dev/null

# Removing the package takes the file type with it.
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove --purge -y sqpatch >/dev/null
installed=""
[ -z "$(command -v sqpatch)" ] || fail "sqpatch is still on the PATH"
for session in "" GNOME; do
  type=$(filetype "$session" north.sq2)
  [ "$type" != "$mime_type" ] || fail "the MIME type outlived the package"
done
pass "removed; the .sq2 type is gone with it"

# --- The Windows .zip -------------------------------------------------------
# Built from the cross build that scripts/test-windows.sh made (or makes
# now): CPack's ZIP generator, set up in packaging/windows/.
check_windows_zip() {
  local listing
  listing=$(unzip -Z1 "$1" | sed 's|^[^/]*/||' | grep -v '^$' | sort)
  [ "$listing" = "$(printf '%s\n' README.txt sqpatch-sq2.reg sqpatch.exe | sort)" ] ||
    fail "the .zip holds other files than expected:"$'\n'"$(unzip -l "$1")"
  unzip -p "$1" '*/sqpatch-sq2.reg' | grep -qF '\"%1\"' || fail "the .reg sample lacks \"%1\""
  pass "the .zip holds sqpatch.exe, README.txt and sqpatch-sq2.reg"
}
bash scripts/install-deps.sh --only windows
[ -f build/windows/CMakeCache.txt ] || cmake --preset windows >/dev/null
cmake --build --preset windows --target sqpatch sqpatch_msi
rm -f build/windows/sqpatch-*.zip
(cd build/windows && cpack -G ZIP >/dev/null)
check_windows_zip build/windows/sqpatch-1.0-win64.zip

# The installer: a 64-bit package that needs no administrator rights (word
# count bit 8), holding the program and its readme. Under Wine it is
# installed, opened and removed by the window tests (sqpatch_installer).
msi=build/windows/sqpatch-1.0-win64.msi
summary=$(msiinfo suminfo "$msi")
grep -qx 'Template: x64;1033' <<<"$summary" || fail "the .msi is not for x64: $summary"
word_count=$(sed -n 's/^Source: \([0-9]*\) .*/\1/p' <<<"$summary")
[ $((word_count & 8)) -eq 8 ] || fail "the .msi asks for administrator rights: $summary"
files=$(msiinfo export "$msi" File | tail -n +4 | cut -f 3 | sort | paste -sd ' ')
[ "$files" = "README.txt sqpatch.exe" ] || fail "the .msi holds: $files"
pass "the .msi ($(stat -c %s "$msi") bytes) installs sqpatch.exe and README.txt per user, for x64"

echo "packages: all checks passed in $((SECONDS - started)) s"
