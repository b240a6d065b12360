# find_window SECONDS PATTERN: prints the first visible window whose name matches PATTERN,
# polling until SECONDS have passed. Wine makes and destroys windows of its own while a program
# starts; `xdotool search --sync` dies on the X error of asking about one that has just gone
# (BadWindow), so each search is a fresh one and its errors are ignored.
find_window() {
  local deadline=$((SECONDS + $1)) found
  while [ $SECONDS -lt $deadline ]; do
    found=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -1) || true
    if [ -n "$found" ]; then echo "$found"; return 0; fi
    sleep 0.2
  done
  return 1
}
