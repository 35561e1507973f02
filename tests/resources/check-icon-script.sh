#!/bin/sh
# Runs scripts/make-icon into a scratch folder and compares every file it must
# write with the committed one, so that a hand-edited or stale icon fails.
# Usage: check-icon-script.sh SCRIPTS_DIR RESOURCES_DIR SCRATCH_DIR
set -eu
scripts=$1 resources=$2 scratch=$3

rm -rf "$scratch"
python3 "$scripts/make-icon" "$scratch"
status=0
for file in quantelo.ico quantelo-icon-image.bin \
        icons/quantelo-16.png icons/quantelo-48.png icons/quantelo-64.png icons/quantelo-128.png icons/quantelo-192.png icons/quantelo-512.png; do
    if ! cmp "$scratch/$file" "$resources/$file"; then
        echo "FAIL: resources/$file differs from what scripts/make-icon writes"
        status=1
    fi
done
exit $status
