#!/usr/bin/env bash
# Writes DIST/Velmorin-<version>-windows-x64-setup.exe (NSIS) and
# DIST/Velmorin-<version>-windows-x64.zip from a Windows build folder whose
# products are built. The zip holds the same files in folders named after
# where they go, for those who copy them by hand.
#   bash scripts/package-windows.sh BUILD DIST
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
mkdir -p "$2"
dist=$(realpath "$2")
version=$(cat "$build/version.txt")
name=Velmorin-$version-windows-x64

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
files=$stage/files
cmake --install "$build" --prefix "$files" --strip >/dev/null

makensis -V2 -DVERSION="$version" -DFILES="$files" -DOUTFILE="$dist/$name-setup.exe" \
  "$repo/packaging/velmorin.nsi"

# Each format in the folder its hosts search (the VST 2.4 one is the
# installer's default); the texts with Windows line ends.
zipped=$stage/$name
mkdir -p "$zipped"
cp "$files/bin/velmorin.exe" "$zipped/"
for format in "$files"/lib/*/; do
  case $(basename "$format") in
    vst) folder=VSTPlugins ;;
    clap) folder=CLAP ;;
    vst3) folder=VST3 ;;
    *) echo "no Windows folder for $format" >&2; exit 1 ;;
  esac
  cp -r "$format" "$zipped/$folder"
done
sed 's/$/\r/' "$files/share/doc/velmorin/copyright" >"$zipped/LICENSE.txt"
sed 's/$/\r/' "$repo/packaging/README-windows.txt" >"$zipped/README.txt"
rm -f "$dist/$name.zip"
(cd "$stage" && zip -qrX "$dist/$name.zip" "$name")
echo "$dist/$name-setup.exe"
echo "$dist/$name.zip"
