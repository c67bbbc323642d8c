#!/bin/sh
# Who may include whom. The core (params, engine) knows no editor, platform
# or plug-in format; the editor and the platform layer know no format; the
# host reaches plug-ins only through the formats' interface headers: the VST
# 2.4 one, the VST3 C API with our glue over it, and CLAP's own headers from
# third_party/clap, never our adapters (it may read the parameter table,
# which describes the effect it masters with).
# Usage: include_layers.sh SOURCE_DIR
set -eu
root=$1
status=0

# forbid FOLDER PATTERN [ALLOWED...]: no file under FOLDER includes a path
# matching PATTERN, but for the paths ALLOWED.
forbid() {
  folder=$1 pattern=$2
  shift 2
  hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]+[\"<]($pattern)" "$root/$folder" || true)
  for allowed in "$@"; do
    hits=$(printf '%s\n' "$hits" | grep -vF "\"$allowed\"" || true)
  done
  if [ -n "$hits" ]; then
    echo "$folder includes what its layer may not:"
    echo "$hits"
    status=1
  fi
}

forbid src/params 'engine/|editor/|platform/|formats/|resources/'
forbid src/engine 'editor/|platform/|formats/|resources/'
forbid src/editor 'formats/'
forbid src/platform 'params/|engine/|editor/|formats/'
forbid host 'engine/|editor/|platform/|formats/' formats/vst2/vst2.h formats/vst3/vst3_object.h
exit $status
