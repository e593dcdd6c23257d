# Sourced by the end-to-end scenarios: the real program in Wine's virtual
# desktop on a private virtual X server, driven with real X input.
# Needs $1 = the build folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
source "$root/scripts/env.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/launch.sh"
shots=$build/e2e-shots
mkdir -p "$shots"
failures=0
checks=0

start_xvfb

# A fresh copy of the sample pictures to work in.
work_folder() {
  local dir
  dir=$(mktemp -d "$build/e2e-XXXXXX")
  cp "$build"/samples/*.* "$dir"/
  echo "$dir"
}

shot() { import -window root "$shots/$1.png"; }

# "r,g,b" of the screen pixel at x, y of the last screenshot named $1.
pixel() {
  convert "$shots/$1.png" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# A window's client origin on the screen: "x y".
client_origin() { wininfo "$@" | awk '{print $6, $7}'; }

check() {  # description, then a command that must succeed
  local what=$1; shift
  checks=$((checks + 1))
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

window_visible() { [ "$(wininfo "$@" | cut -d' ' -f1)" = 1 ]; }
window_gone() { ! window_visible "$@"; }

finish() {
  echo "$((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
}
