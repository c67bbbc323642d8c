#!/usr/bin/env bash
# Mutation testing: applies each single-line fault of a list to a copy of the
# tree, rebuilds, runs the tests and reports every fault that no test notices.
# Run it before an audio-path change lands; it takes a while (one build and
# test run per fault), so CI does not.
#
#   bash scripts/mutation-test.sh [LIST] [-- CTEST ARGS...]
#
# LIST defaults to scripts/mutations.txt (FILE<TAB>TEXT<TAB>FAULTY TEXT per
# line). CTEST ARGS narrow the tests run per fault (default: all but the fuzz,
# Windows and concurrency labels). MUTATION_DIR sets the work folder.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
list=$repo/scripts/mutations.txt
if [[ $# -gt 0 && $1 != -- ]]; then list=$(realpath "$1"); shift; fi
[[ ${1:-} == -- ]] && shift
ctest_args=("$@")
[[ ${#ctest_args[@]} -eq 0 ]] && ctest_args=(-LE "fuzz|windows|concurrency")

work=${MUTATION_DIR:-$(mktemp -d /tmp/velmorin-mutation.XXXXXX)}
tree=$work/tree
build=$work/build
incoming=$work/incoming
rm -rf "$incoming"
mkdir -p "$tree" "$incoming"
# The working tree as it is, uncommitted changes included. Only files whose
# content differs are copied over, with a fresh time, so that a reused work
# folder rebuilds exactly what changed (an interrupted run's fault included).
(cd "$repo" && git ls-files -co --exclude-standard -z | tar --null -T - -cf -) | tar -C "$incoming" -xf -
(cd "$incoming" && find . -type f -print0) | while IFS= read -r -d '' file; do
    if ! cmp -s "$incoming/$file" "$tree/$file"; then
        mkdir -p "$(dirname "$tree/$file")"
        cp "$incoming/$file" "$tree/$file"
    fi
done
rm -rf "$incoming"

build_and_test() {
    cmake --build "$build" -j2 >"$work/build.log" 2>&1 || return 2
    ctest --test-dir "$build" -j2 --stop-on-failure "${ctest_args[@]}" >"$work/test.log" 2>&1 || return 1
}

echo "Work folder: $work"
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$work/configure.log" 2>&1
if ! build_and_test; then
    echo "The unchanged tree does not pass its tests; see $work/build.log and $work/test.log" >&2
    exit 1
fi

killed=0
survived=()
invalid=()
while IFS=$'\t' read -r file text faulty; do
    [[ -z $file || $file == \#* ]] && continue
    target=$tree/$file
    # A file that has moved or a line that has changed is listed, not fatal.
    if [[ ! -f $target ]]; then
        invalid+=("$file: no such file")
        echo "no file   $file"
        continue
    fi
    # Exactly one occurrence, replaced literally.
    count=$(TEXT=$text perl -ne '$n += () = /\Q$ENV{TEXT}\E/g; END { print $n + 0 }' "$target")
    if [[ $count != 1 ]]; then
        invalid+=("$file: '$text' found $count times")
        echo "no match  $file: $text ($count times)"
        continue
    fi
    cp "$target" "$work/original"
    TEXT=$text FAULTY=$faulty perl -i -pe 's/\Q$ENV{TEXT}\E/$ENV{FAULTY}/' "$target"
    status=0
    build_and_test || status=$?
    cp "$work/original" "$target"
    touch "$target"
    case $status in
        0) survived+=("$file: $faulty"); echo "SURVIVED  $file: $faulty" ;;
        1) killed=$((killed + 1)); echo "killed    $file: $faulty" ;;
        *) invalid+=("$file: '$faulty' does not build"); echo "no build  $file: $faulty" ;;
    esac
done <"$list"

echo
echo "$killed killed, ${#survived[@]} survived, ${#invalid[@]} not applicable"
for s in "${survived[@]}"; do echo "  survived: $s"; done
for s in "${invalid[@]}"; do echo "  not applicable: $s"; done
[[ ${#survived[@]} -eq 0 && ${#invalid[@]} -eq 0 ]]
