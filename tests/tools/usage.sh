#!/usr/bin/env bash
# Every tool answers --help and a wrong argument with its usage, and writes
# nothing then: usage.sh <folder of the tools>
set -u
bin="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
failed=0
check() {  # expected exit code, then the command line
  local want="$1"; shift
  local out
  out="$("$bin/$@" 2>&1)"
  local got=$?
  if [ "$got" != "$want" ] || ! grep -q "^Usage: " <<<"$out" || [ -n "$(ls -A)" ]; then
    echo "FAILED: $* (exit $got, want $want; files: $(ls -A | tr '\n' ' '))"
    printf '%s\n' "$out" | head -n 5
    failed=1
    rm -rf ./* ./.[!.]* 2>/dev/null
  fi
}
for tool in bench_print bench_shop draw_pictures make_delivered_db make_shop_data shoot_screens; do
  check 0 "$tool" --help
  check 2 "$tool" --no-such-option out.mdb
done
# Paths too few or too many, and option values that are no number.
check 2 make_shop_data
check 2 make_shop_data a.mdb b.mdb
check 2 make_shop_data --stock many out.mdb
check 2 make_delivered_db
check 2 bench_shop --runs 0 Kostrelvani.mdb
check 2 bench_print --rows 10,x
exit $failed
