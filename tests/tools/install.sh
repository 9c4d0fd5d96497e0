#!/usr/bin/env bash
# scripts/run's install into the shop's folder, without starting the program:
# install.sh <source folder> <build folder>
set -u
root="$1"
build="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
source "$root/scripts/run"
set +e
failed=0
fail() { echo "FAILED: $*"; failed=1; }
entry="$HOME/.local/share/applications/VeloraTessaro.desktop"

# A database an earlier run left in the build folder, with its log, moves into a
# new shop folder (one with a space in its name).
old="$work/old bin"
shop="$work/my shop"
mkdir -p "$old"
for f in Kostrelvani.mdb Kostrelvani.mdb-wal Kostrelvani.mdb-shm; do echo "old $f" >"$old/$f"; done
out="$(install_shop "$build" "$shop" "$old" 2>&1)" || fail "install_shop: $out"
[ -x "$shop/VeloraTessaro" ] || fail "no program in $shop"
for f in Kostrelvani.mdb Kostrelvani.mdb-wal Kostrelvani.mdb-shm; do
  [ "$(cat "$shop/$f" 2>/dev/null)" = "old $f" ] || fail "$f did not move into the shop"
  [ ! -e "$old/$f" ] || fail "$f is still in the old folder"
  [ ! -e "$shop/$f.moving" ] || fail "$f.moving is left over"
done
grep -q "^Moved the shop's database from $old/ to $shop/\.$" <<<"$out" || fail "no line about the move: $out"
# The desktop menu entry starts the installed program and shows its icon.
exec_line="$(grep '^Exec=' "$entry" 2>/dev/null)"
[ "$exec_line" = "Exec=\"$shop/VeloraTessaro\"" ] || fail "entry: '$exec_line'"
icon="$(sed -n 's/^Icon=//p' "$entry" 2>/dev/null)"
[ "$icon" = "$shop/VeloraTessaro.png" ] && [ "$(head -c 4 "$icon" | tail -c 3)" = PNG ] || fail "icon: '$icon'"

# Installed again, the shop keeps its database; one found in the old place again
# stays there, and is named.
echo "other" >"$old/Kostrelvani.mdb"
out="$(install_shop "$build" "$shop" "$old" 2>&1)" || fail "install again: $out"
[ "$(cat "$shop/Kostrelvani.mdb")" = "old Kostrelvani.mdb" ] || fail "the shop's database was replaced"
[ "$(cat "$old/Kostrelvani.mdb")" = "other" ] || fail "the old place's database was touched"
grep -q "^Left alone: $old/Kostrelvani.mdb" <<<"$out" || fail "no line about the database left alone: $out"

# A new shop folder, named relative to the current one, gets the delivered
# database, and the menu entry names it by its full path.
cd "$work"
out="$(install_shop "$build" fresh "$work/none" 2>&1)" || fail "install fresh: $out"
[ "$(head -c 15 fresh/Kostrelvani.mdb 2>/dev/null)" = "SQLite format 3" ] || fail "no delivered database"
grep -qx "Exec=\"$work/fresh/VeloraTessaro\"" "$entry" || fail "entry of the fresh shop: $(grep '^Exec=' "$entry")"
exit $failed
