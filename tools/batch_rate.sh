#!/bin/sh
# Rows per second of `vaporix-cli batch pt` on 1e6 (p,T) rows, end to end
# (reading, parsing, calculating, formatting, writing), with 1 and 2 threads.
# Usage: tools/batch_rate.sh [path/to/vaporix-cli]
set -eu
cli=${1:-build/dev/cli/vaporix-cli}
rows=1000000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n=$rows 'BEGIN { print "p,t"; for (i = 0; i < n; i++) printf "%.6g,%.6g\n", 0.002 + (i % 1000) * 0.0999, 280 + (i % 1789) * 0.55 }' > "$work/in.csv"
for threads in 1 2; do
  start=$(date +%s.%N)
  "$cli" batch --threads "$threads" pt "$work/in.csv" "$work/out.csv"
  end=$(date +%s.%N)
  echo "$threads thread(s): $(echo "$rows / ($end - $start)" | bc) rows/s"
done
