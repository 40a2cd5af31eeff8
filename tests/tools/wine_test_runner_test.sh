#!/bin/sh
# tools/wine-test against a stand-in Wine that counts its starts.
# Usage: wine_test_runner_test.sh PATH-TO-WINE-TEST
runner=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cat >"$dir/wine" <<'STAND_IN'
#!/bin/sh
count=$(dirname "$0")/count
n=$(($(cat "$count" 2>/dev/null || echo 0) + 1)); echo $n >"$count"
case "$1" in
  silent-once) [ $n -eq 1 ] && exit 5; echo "[==========] Running 1 test"; exit 0 ;;
  failed) echo "[  FAILED  ] One.Test"; exit 1 ;;
  silent) exit 6 ;;
  passed) echo "[  PASSED  ] 1 test."; exit 0 ;;
esac
STAND_IN
chmod +x "$dir/wine"
failures=0
expect() {  # MODE STATUS STARTS TEXT
  rm -f "$dir/count"
  out=$("$runner" "$dir/wine" "$1" 2>&1)
  status=$?
  starts=$(cat "$dir/count")
  if [ "$status" -ne "$2" ] || [ "$starts" -ne "$3" ] || ! printf '%s' "$out" | grep -q "$4"; then
    echo "FAIL $1: status $status (want $2), starts $starts (want $3), output: $out"
    failures=$((failures + 1))
  fi
}
expect silent-once 0 2 "Running 1 test"
expect failed 1 1 "FAILED"
expect silent 6 2 "before it printed anything"
expect passed 0 1 "PASSED"
exit $failures
