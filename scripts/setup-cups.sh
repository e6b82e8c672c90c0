#!/usr/bin/env bash
# Gives the print tests a real print system: starts cupsd when it is not running and
# adds two raw queues whose backend keeps the bytes of every job in
# $QUORVANTA_JOBS_DIR/<queue>/ (default /var/spool/quorvanta-jobs). Quorvanta_Office
# becomes the print system's default printer. Needs root; safe to run again.
set -euo pipefail

JOBS_DIR=${QUORVANTA_JOBS_DIR:-/var/spool/quorvanta-jobs}
BACKEND_NAME=quorvanta-save
QUEUES=(Quorvanta_Office Quorvanta_Cheque)
DEFAULT_QUEUE=Quorvanta_Office

if [ "$(id -u)" -ne 0 ]; then
  echo "setup-cups: not root, the print-system tests will be skipped" >&2
  exit 0
fi
if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
  echo "setup-cups: CUPS is not installed, the print-system tests will be skipped" >&2
  exit 0
fi

backend_dir=$(cups-config --serverbin 2>/dev/null || echo /usr/lib/cups)/backend
mkdir -p "$backend_dir" "$JOBS_DIR"
chmod 0755 "$JOBS_DIR"

# The backend runs as root because its mode is 0700. Without arguments it describes
# itself; with a job it copies the document (argument 6 or standard input) to a
# temporary name and renames it, so a reader never sees half a job.
cat >"$backend_dir/$BACKEND_NAME.new" <<EOF
#!/bin/sh
if [ \$# -eq 0 ]; then
  echo 'direct $BACKEND_NAME "Unknown" "Quorvanta job saver"'
  exit 0
fi
dir="$JOBS_DIR/\${PRINTER:-unknown}"
mkdir -p "\$dir" || exit 1
part="\$dir/.job-\$1.part"
if [ -n "\$6" ]; then cat "\$6" >"\$part" || exit 1; else cat >"\$part" || exit 1; fi
chmod 0644 "\$part"
mv "\$part" "\$dir/job-\$1" || exit 1
exit 0
EOF
chmod 0700 "$backend_dir/$BACKEND_NAME.new"
mv "$backend_dir/$BACKEND_NAME.new" "$backend_dir/$BACKEND_NAME"

mkdir -p /run/cups
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
fi
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  echo "setup-cups: cupsd did not start" >&2
  exit 1
fi

for queue in "${QUEUES[@]}"; do
  mkdir -p "$JOBS_DIR/$queue"
  chmod 0755 "$JOBS_DIR/$queue"
  # Raw queues are deprecated in CUPS 2.4 but still pass the document unchanged.
  lpadmin -p "$queue" -v "$BACKEND_NAME:/" -m raw -E 2>/dev/null ||
    lpadmin -p "$queue" -v "$BACKEND_NAME:/" -m raw -E
  # A queue left stopped or rejecting by an interrupted test takes jobs again.
  cupsenable "$queue"
  cupsaccept "$queue"
done
lpadmin -d "$DEFAULT_QUEUE"

echo "setup-cups: queues ${QUEUES[*]} ready (default $DEFAULT_QUEUE), jobs in $JOBS_DIR"
