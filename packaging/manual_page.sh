#!/bin/sh
# Writes the manual page velmorin.1.gz from the command's own help: the
# summary from `velmorin --help`, then each command's `--help` as a section.
#   sh packaging/manual_page.sh HELP2MAN VELMORIN OUTPUT.1.gz
set -eu
help2man=$1 velmorin=$2 output=$3
commands=$(mktemp)
trap 'rm -f "$commands"' EXIT
{
  echo '[COMMANDS]'
  # Each command's name opens a line of the help's list of subcommands.
  for command in $("$velmorin" --help | sed -n '/^Subcommands:/,$s/^  \([a-z]\+\) .*/\1/p'); do
    echo ".SS velmorin $command"
    echo '.nf'
    "$velmorin" "$command" --help | sed 's/\\/\\e/g; s/^[.'\'']/\\\&&/'
    echo '.fi'
  done
} >"$commands"
"$help2man" --no-info --no-discard-stderr --section 1 \
  --name "render, inspect, benchmark and edit VST 2.4 and CLAP plug-ins" \
  --include "$commands" "$velmorin" | gzip -9n >"$output"
