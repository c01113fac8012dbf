#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a fixed time, seeded with the samples.
set -euo pipefail
build=$1
seconds=${2:-30}
found=0
for fuzzer in "$build"/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  found=1
  corpus=$(mktemp -d)
  # Seeds: the encrypted samples and their plain texts (which the fuzzer
  # also parses directly).
  for f in Data/*.cry Data/*.txt; do
    [ -f "$f" ] && [ "$(basename "$f")" != CMakeLists.txt ] && cp "$f" "$corpus/"
  done
  for f in tests/data/*.txt; do
    [ -f "$f" ] && cp "$f" "$corpus/plain-$(basename "$f")"
  done
  echo "Fuzzing $(basename "$fuzzer") for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>&1 | grep -vE "^\"|# Uses:|^###### " | tail -n 12
  rm -rf "$corpus"
done
[ "$found" -eq 1 ] || { echo "no fuzz targets were built" >&2; exit 1; }
