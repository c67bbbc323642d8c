#!/bin/sh
# Succeeds when the library exports its entry points (VSTPluginMain unless
# named; in any order) and nothing else: ELF via nm, PE (the Windows build,
# told by its first bytes) via objdump. AddressSanitizer's ODR indicator of an exported
# variable (__odr_asan.NAME) is the sanitizer's, not the library's.
case $(head -c 2 "$1") in
  MZ)
    names=$(x86_64-w64-mingw32-objdump -p "$1" |
      sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\t\[ *[0-9]*\] //p') ;;
  *)
    names=$(nm -D --defined-only "$1" | awk '{print $3}' | grep -v '^__odr_asan\.') ;;
esac
shift
[ $# -gt 0 ] || set -- VSTPluginMain
echo "exported: $names"
test "$(echo "$names" | sort)" = "$(printf '%s\n' "$@" | sort)"
