#!/usr/bin/env bash
# The Debian package of a build folder: exactly the expected files, no lintian
# error, and once unpacked a command that tells its version, an LV2 bundle
# lilv finds, modules that need nothing but the C library, and no file that
# names the build folder.
#   bash deb_package.sh BUILD SCRATCH EXPECTED_FILES
set -euo pipefail
export LC_ALL=C
build=$(realpath "$1") scratch=$2 expected=$3
rm -rf "$scratch"
mkdir -p "$scratch"
version=$(cat "$build/version.txt")
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log"
deb=$scratch/velmorin_${version}_amd64.deb

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort >"$scratch/contents.txt"
diff -u "$expected" "$scratch/contents.txt" || fail "the package's files differ from the expected ones"
lintian --fail-on error "$deb" || fail "lintian finds errors"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
[ "$("$root/usr/bin/velmorin" --version)" = "velmorin $version" ] || fail "velmorin --version"
LV2_PATH=$root/usr/lib/lv2 lv2ls | grep -qx 'https://quandorweb.com/lv2/velmorin' ||
  fail "lv2ls does not find the bundle"
while IFS= read -r module; do
  needed=$(readelf -d "$module" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' |
    grep -vxE 'lib(c|m|dl|pthread)\.so\.[0-9]+|ld-linux-x86-64\.so\.2' || true)
  [ -z "$needed" ] || fail "$module needs $needed"
  # Weak references aside, every symbol it takes from outside is glibc's.
  foreign=$(nm -D --undefined-only "$module" | awk '$1 == "U" && $2 !~ /@GLIBC_/ {print $2}')
  [ -z "$foreign" ] || fail "$module needs symbols from beyond glibc: $foreign"
done < <(find "$root/usr/lib" -type f \( -name '*.so' -o -name '*.clap' \))
if grep -rl --fixed-strings "$build" "$root"; then fail "these files name the build folder"; fi
[ "$failures" -eq 0 ]
