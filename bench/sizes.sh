#!/usr/bin/env bash
# Prints the sizes of the deliverables against the download budget of Setup.exe (400 KB).
# Usage: bench/sizes.sh [folder with Setup.exe, Ombrisk.dll, Pictavo.dll] (default out/)
set -euo pipefail
dir=${1:-out}
budget=$((400 * 1024))
printf '%-12s %10s\n' file bytes
for f in Setup.exe Ombrisk.dll Pictavo.dll; do
  [ -f "$dir/$f" ] && printf '%-12s %10d\n' "$f" "$(stat -c %s "$dir/$f")"
done
size=$(stat -c %s "$dir/Setup.exe")
awk -v s="$size" -v b="$budget" 'BEGIN { printf "Setup.exe / budget: %.2f (%d of %d bytes)\n", s / b, s, b }'
