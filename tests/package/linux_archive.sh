#!/usr/bin/env bash
# The portable archive of a build folder: install.sh --prefix places the
# expected files, the command it installed finds the plug-in it installed,
# and a second run changes nothing; without --prefix each format goes to the
# user's folder for it.
#   bash linux_archive.sh REPO BUILD SCRATCH EXPECTED_FILES
set -euo pipefail
export LC_ALL=C
repo=$1 build=$2 scratch=$3 expected=$4
rm -rf "$scratch"
mkdir -p "$scratch"
version=$(cat "$build/version.txt")
bash "$repo/scripts/package-linux-archive.sh" "$build" "$scratch" >/dev/null
tar -C "$scratch" -xzf "$scratch/Velmorin-$version-linux-x86_64.tar.gz"
installer=$scratch/Velmorin-$version-linux-x86_64/install.sh

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# Every path below a folder with its size, mode and time.
snapshot() { (cd "$1" && find . -printf '%p %s %m %T@\n' | LC_ALL=C sort); }

prefix=$scratch/prefix
"$installer" --prefix "$prefix" >/dev/null
(cd "$prefix" && find . -type f | LC_ALL=C sort) | diff -u "$expected" - || fail "the files --prefix installs"
"$prefix/bin/velmorin" info | grep -q '^product  *Velmorin$' ||
  fail "the installed command does not find the installed plug-in"
snapshot "$prefix" >"$scratch/first"
"$installer" --prefix="$prefix" >/dev/null
snapshot "$prefix" | diff -u "$scratch/first" - || fail "a second install changes the folder"

home=$scratch/home
HOME=$home "$installer" >/dev/null
for file in .vst/Velmorin.so .clap/Velmorin.clap .lv2/velmorin.lv2/manifest.ttl \
  .lv2/velmorin.lv2/velmorin.so .local/bin/velmorin .local/share/man/man1/velmorin.1.gz; do
  [ -f "$home/$file" ] || fail "the user install has no ~/$file"
done
HOME=$home "$home/.local/bin/velmorin" info >/dev/null || fail "the user's command finds no plug-in"
[ "$failures" -eq 0 ]
