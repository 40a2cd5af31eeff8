#!/bin/sh
# tools/check-layers against small trees made up here.
# Usage: check_layers_test.sh PATH-TO-CHECK-LAYERS
checker=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
if [ ! -x "$checker" ]; then
  echo "FAIL: no checker at '$checker'"
  exit 1
fi
put() {  # PATH LINE... : a file of the tree under test, one argument per line
  mkdir -p "$(dirname "$dir/tree/$1")"
  path=$1; shift
  printf '%s\n' "$@" >"$dir/tree/$path"
}
clean_tree() {
  rm -rf "$dir/tree"
  put device/a.h '#pragma once'
  put device/a.cpp '#include "device/a.h"'
  put document/d.cpp '#include "device/a.h"'
  put app/m.cpp '#include "device/a.h"' '#include "document/d.h"'
  put document/d.h '#pragma once'
}
expect() {  # NAME STATUS TEXT... : every TEXT must be in the output
  name=$1; want=$2; shift 2
  out=$("$checker" "$dir/tree" 2>&1)
  status=$?
  # A crash of Python exits 1 as well; the summary line tells a finished run from it.
  if [ "$status" -ne "$want" ] || ! printf '%s' "$out" | grep -q '^layers: '; then
    echo "FAIL $name: status $status (want $want), output: $out"
    failures=$((failures + 1))
    return
  fi
  for text in "$@"; do
    if ! printf '%s' "$out" | grep -qF -- "$text"; then
      echo "FAIL $name: no '$text' in output: $out"
      failures=$((failures + 1))
    fi
  done
}

clean_tree
expect clean 0 "layers: 5 files, 0 upward includes, 0 circles"

clean_tree
put device/a.cpp '#include "device/a.h"' '#include "app/x.h"'
put app/x.h '#pragma once'
expect upward 1 "device/a.cpp:2:" "app/x.h" "device/" "1 upward includes"

clean_tree
put device/p.h '#pragma once'
put device/p.cpp '#include "device/p.h"' '#include "device/t.h"'
put device/t.h '#pragma once'
put device/t.cpp '#include "device/t.h"' '#include "device/p.h"'
expect circle 1 "circle:" "device/p" "device/t" "device/p.cpp:2: includes device/t.h" \
  "device/t.cpp:2: includes device/p.h" "1 circles"

clean_tree
put extra/e.h '#pragma once'
put device/a.cpp '#include "device/a.h"' '#include "extra/e.h"'
expect unlisted-folder 1 "device/a.cpp:2: includes extra/e.h" "folder extra/"

clean_tree
put device/a.cpp '#include "device/a.h"' '#include <windows.h>' '#include "gtest/gtest.h"' \
  '#include <app/m.h>' '// #include "app/x.h" -- not an include: the line is a comment'
put app/x.h '#pragma once'
expect ignored 0 "0 upward includes"

# What objects call: a header declared in one file and defined in another is a circle the
# includes do not show (device/p.cpp calls t(), device/t.cpp calls p(), each through a header of
# a third name), and a device/ object calling into app/ points up.
objects=$dir/build/CMakeFiles/moravel_core.dir
mkdir -p "$objects/device" "$objects/app"
compile() {  # MODULE SOURCE
  printf '%s\n' "$2" >"$dir/src.cpp"
  c++ -c -o "$objects/$1.cpp.o" "$dir/src.cpp"
}
compile device/p 'void t(); void p() { t(); }'
compile device/t 'void p(); void app(); void t() { p(); app(); }'
compile app/m 'void app() {}'
out=$("$checker" --calls "$dir/build" 2>&1)
status=$?
for text in "call circle: device/p -> device/t -> device/p" "device/t calls app() of app/m" \
  "1 upward calls, 1 circles"; do
  if [ "$status" -ne 1 ] || ! printf '%s' "$out" | grep -qF -- "$text"; then
    echo "FAIL calls: status $status, no '$text' in output: $out"
    failures=$((failures + 1))
  fi
done

if "$checker" "$dir/tree" extra >/dev/null 2>&1; [ $? -ne 2 ]; then
  echo "FAIL usage: two arguments did not exit 2"
  failures=$((failures + 1))
fi
exit $failures
