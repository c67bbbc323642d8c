#!/bin/sh
# lv2_validate on every Turtle file of the built bundle: clean, not a warning.
#   validate_bundle.sh BUNDLE_DIR
set -eu
report=$(lv2_validate "$1"/*.ttl 2>&1)
echo "$report"
echo "$report" | grep -q "Found 0 errors" || exit 1
! echo "$report" | grep -qi "warn"
