#!/usr/bin/env bash
# Writes DIST/Velmorin-<version>-linux-x86_64.tar.gz from a native build
# folder whose products are built: its install (plug-ins, command, manual
# page, licences) with install.sh and a README naming the oldest glibc the
# plug-ins need.
#   bash scripts/package-linux-archive.sh BUILD DIST
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
mkdir -p "$2"
dist=$(realpath "$2")
version=$(cat "$build/version.txt")
name=Velmorin-$version-linux-x86_64

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage/$name" --strip >/dev/null
install -m 755 "$repo/packaging/install.sh" "$stage/$name/install.sh"
# The newest glibc symbol version any plug-in binary asks for.
glibc=$(find "$stage/$name/lib" -type f \( -name '*.so' -o -name '*.clap' \) -exec objdump -T {} + |
  grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1)
sed "s/@VERSION@/$version/; s/@GLIBC@/${glibc#GLIBC_}/" "$repo/packaging/README-linux.txt.in" \
  >"$stage/$name/README.txt"
tar -C "$stage" --owner=0 --group=0 --numeric-owner --sort=name -czf "$dist/$name.tar.gz" "$name"
echo "$dist/$name.tar.gz"
