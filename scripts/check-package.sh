#!/usr/bin/env bash
# Builds the Debian package and proves it on this machine, as root: installs it
# with apt-get, validates its desktop entry and metainfo, starts the installed
# program for a new user (empty HOME and XDG_DATA_HOME, offscreen) and checks that
# it made its database in the user's data folder, owner-only, and keeps running;
# that a second start on the same data is refused while the first keeps running;
# then removes the package and checks that none of its files is left.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "check-package: not root, the package is not installed and checked" >&2
  exit 0
fi

package=quorvanta-solo
deb=$(scripts/package.sh | tail -n 1)
echo "check-package: built $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends

fail() { echo "check-package: FAILED: $*" >&2; exit 1; }

export DEBIAN_FRONTEND=noninteractive
# --reinstall: a package of the same version left by an earlier run is replaced.
apt-get install -y -q --reinstall "./$deb" </dev/null >/dev/null

desktop=$(dpkg -L "$package" | grep '^/usr/share/applications/.*\.desktop$')
metainfo=$(dpkg -L "$package" | grep '^/usr/share/metainfo/.*\.metainfo\.xml$')
[ -x /usr/bin/quorvanta ] || fail "/usr/bin/quorvanta is not installed"
[ -x /usr/bin/quorvanta-initdb ] || fail "/usr/bin/quorvanta-initdb is not installed"
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
icon=/usr/share/icons/hicolor/scalable/apps/$(basename "$desktop" .desktop).svg
[ -f "$icon" ] || fail "no icon $icon"

work=$(mktemp -d)
first=
second=
cleanup() {
  for pid in $second $first; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/data" "$work/xdg"
chmod 0700 "$work/home"  # also the runtime folder, which must be private
# A new user: nothing in HOME or XDG_DATA_HOME, and no system-scope settings file.
run_installed() {
  env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_DATA_HOME="$work/data" \
    XDG_CONFIG_DIRS="$work/xdg" XDG_RUNTIME_DIR="$work/home" QT_QPA_PLATFORM=offscreen \
    /usr/bin/quorvanta "$@"
}
run_installed >"$work/first.log" 2>&1 &
first=$!

data_dir=$work/data/Quorvanta/Solo
database=$data_dir/chequedb.mdb
for _ in $(seq 1 100); do
  [ -f "$database" ] && break
  kill -0 "$first" 2>/dev/null || break
  sleep 0.1
done
sleep 3
kill -0 "$first" 2>/dev/null || { cat "$work/first.log" >&2; fail "the installed program ended on its first start"; }
[ -f "$database" ] || fail "no database $database after the first start"
[ "$(stat -c %a "$database")" = 600 ] || fail "$database has mode $(stat -c %a "$database"), not 600"
[ "$(stat -c %a "$data_dir")" = 700 ] || fail "$data_dir has mode $(stat -c %a "$data_dir"), not 700"
echo "check-package: first start made $database (mode 600, folder 700) and is running"

# The second start says so (on standard error as well as in its message box,
# which nobody closes here) and never opens the database.
sum_before=$(sha256sum "$database")
run_installed >"$work/second.log" 2>&1 &
second=$!
for _ in $(seq 1 100); do
  grep -q 'already running' "$work/second.log" && break
  kill -0 "$second" 2>/dev/null || break
  sleep 0.1
done
grep -q 'already running' "$work/second.log" || { cat "$work/second.log" >&2; fail "a second start was not refused"; }
kill "$second" 2>/dev/null || true
wait "$second" 2>/dev/null || true
second=
kill -0 "$first" 2>/dev/null || fail "the first copy ended when the second started"
[ "$(sha256sum "$database")" = "$sum_before" ] || fail "the second start changed the database"
echo "check-package: a second start was refused: $(grep -m1 'already running' "$work/second.log")"
kill "$first"
wait "$first" 2>/dev/null || true
first=
/usr/bin/quorvanta-initdb "$work/initdb" >/dev/null || fail "/usr/bin/quorvanta-initdb failed"
[ -f "$work/initdb/chequedb.mdb" ] || fail "/usr/bin/quorvanta-initdb made no database"

installed=$(dpkg -c "$deb" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}')
apt-get remove -y -q "$package" </dev/null >/dev/null
left=()
for path in $installed; do
  if [ -e "$path" ] || [ -L "$path" ]; then left+=("$path"); fi
done
[ ${#left[@]} -eq 0 ] || fail "files left after apt-get remove: ${left[*]}"
[ ! -e "/usr/share/doc/$package" ] || fail "/usr/share/doc/$package left after apt-get remove"
echo "check-package: removed; none of its $(wc -w <<<"$installed") files is left"
