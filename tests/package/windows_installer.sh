#!/usr/bin/env bash
# The Windows installer of a Windows build folder, run under Wine in a prefix
# of its own: a silent install places the expected files and registers its
# uninstaller; the installed velmorin.exe tells its version and loads the
# installed VST 2.4 and CLAP modules; the silent uninstall removes every file
# the install placed, and its entry.
#   bash windows_installer.sh REPO WINDOWS_BUILD SCRATCH EXPECTED_FILES
set -euo pipefail
export LC_ALL=C
repo=$1 build=$2 scratch=$3 expected=$4
rm -rf "$scratch"
mkdir -p "$scratch"
version=$(cat "$build/version.txt")
bash "$repo/scripts/package-windows.sh" "$build" "$scratch" >/dev/null
unzip -l "$scratch/Velmorin-$version-windows-x64.zip" >/dev/null

export WINEPREFIX=$scratch/wineprefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# The files in the folders an installer writes to, relative to C:.
placed() { (cd "$WINEPREFIX/drive_c" && find "Program Files" ProgramData -type f | LC_ALL=C sort); }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmorin'
run() { wine "$@" 2>/dev/null | tr -d '\r'; }

placed >"$scratch/before"
wine "$scratch/Velmorin-$version-windows-x64-setup.exe" /S
wineserver -w
placed | comm -13 "$scratch/before" - | diff -u "$expected" - || fail "the files the installer placed"
run reg query "$key" /v DisplayVersion | grep -q "REG_SZ *$version$" ||
  fail "no uninstall entry for $version"

command='C:\Program Files\Velmorin\velmorin.exe'
[ "$(run "$command" --version)" = "velmorin $version" ] || fail "velmorin.exe --version"
for module in 'C:\Program Files\VSTPlugins\Velmorin.dll' \
  'C:\Program Files\Common Files\CLAP\Velmorin.clap'; do
  run "$command" info --plugin "$module" | grep -q '^name  *Velmorin$' || fail "$module does not load"
done

wine 'C:\Program Files\Velmorin\uninstall.exe' /S
wineserver -w  # the uninstaller runs on from a copy of itself
placed | diff -u "$scratch/before" - || fail "the files the uninstaller left"
if run reg query "$key" >/dev/null; then fail "the uninstall entry remains"; fi
[ "$failures" -eq 0 ]
