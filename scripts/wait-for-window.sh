# Sourced by the scripts that drive the program on a virtual screen.
# wait_for_window TITLE [SECONDS]: waits up to SECONDS (10 unless told) for a
# visible window whose title matches TITLE, and prints its id.
wait_for_window() {
  local id tries=$(( ${2:-10} * 5 ))
  for _ in $(seq "$tries"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  echo "no window titled like '$1' appeared" >&2
  return 1
}
