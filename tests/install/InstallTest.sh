#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the programs from there, far from the
# build folder: they must work and find the installed language files.
# Usage: InstallTest.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/vemora bin/vemora-cli share/vemora/lang/Vemora_DE.nls share/vemora/lang/State_DE.nls \
            share/applications/vemora.desktop share/mime/packages/vemora.xml \
            share/metainfo/example.orvalin.vemora.metainfo.xml share/icons/hicolor/16x16/apps/vemora.png \
            share/icons/hicolor/256x256/apps/vemora.png share/icons/hicolor/scalable/apps/vemora.svg \
            share/man/man1/vemora.1 share/man/man1/vemora-cli.1; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done

cd "$root"
# Read whole first: grep -q stops reading at the match, and the help is longer than a pipe's first write.
help=$("$prefix/bin/vemora-cli" --help)
grep -q 'month FILE' <<<"$help" || fail "vemora-cli --help"
for day in 2026-12-24 2027-03-01; do
  installed=$("$prefix/bin/vemora-cli" due "$source/examples/sample.vkd" --date $day --json)
  [ "$installed" = "$("$build/bin/vemora-cli" due "$source/examples/sample.vkd" --date $day --json)" ] \
    || fail "the installed vemora-cli answers otherwise on $day"
done

# A German choice, stored by name only as a relative choice is: the texts must come from the
# installed file, since the built-in texts would follow the C locale and speak English.
export VEMORA_HOME=$root/home LC_ALL=C
mkdir -p "$VEMORA_HOME"
printf '%s\n' 'Windows Registry Editor Version 5.00' '' '[HKEY_CURRENT_USER\Software\Orvalin\Vemora\2\1]' \
  '"LanguageFilename"="Vemora_DE.nls"' '"CountryFilename"="State_DE.nls"' > "$VEMORA_HOME/registry.reg"
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/vemora" /r "$root/missing.vkd")
[[ $said == *"Die Datei „$root/missing.vkd“ existiert nicht."* ]] || fail "not the installed German text: $said"
echo "installed into $prefix and ran from there"
