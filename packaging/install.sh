#!/bin/sh
# Installs Velmorin from this folder.
#   ./install.sh                for you alone: the plug-ins into ~/.vst, ~/.clap,
#                               ~/.lv2 (and ~/.vst3), velmorin into ~/.local/bin
#   ./install.sh --prefix DIR   for everyone: DIR/lib/vst, DIR/lib/clap,
#                               DIR/lib/lv2 (DIR/lib/vst3), DIR/bin, DIR/share
#                               (/usr/local, as root, is where hosts look)
# Running it again replaces only files that changed.
set -eu

usage() {
  sed -n '2,8s/^# \{0,1\}//p' "$0"
  exit "$1"
}

prefix=
case $# in
  0) ;;
  1) case $1 in
       --prefix=?*) prefix=${1#--prefix=} ;;
       -h | --help) usage 0 ;;
       *) usage 2 ;;
     esac ;;
  2) [ "$1" = --prefix ] && [ -n "$2" ] || usage 2
     prefix=$2 ;;
  *) usage 2 ;;
esac
here=$(cd "$(dirname "$0")" && pwd)

# copy_tree FROM TO: each file below FROM to the same place below TO; a file
# already there with the same content is left as it is.
copy_tree() {
  (cd "$1" && find . -type f) | while IFS= read -r file; do
    mode=644
    [ -x "$1/$file" ] && mode=755
    install -D -C -m "$mode" "$1/$file" "$2/$file"
  done
  echo "  $2"
}

echo "Installing Velmorin into:"
if [ -n "$prefix" ]; then
  copy_tree "$here/lib" "$prefix/lib"
else
  # Hosts look for each format in a folder of its own in the home folder.
  for format in "$here"/lib/*/; do
    format=$(basename "$format")
    copy_tree "$here/lib/$format" "$HOME/.$format"
  done
  prefix=$HOME/.local
fi
copy_tree "$here/bin" "$prefix/bin"
copy_tree "$here/share" "$prefix/share"
