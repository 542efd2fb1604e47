# Sourced by the run and test scripts: gives Wine an X display. Without one
# (a headless machine, CI) it starts a private Xvfb that ends with the script.
# Also stops the Wine server of the prefix SETUP_WINEPREFIX when the script ends.
setup_cleanup() {
  local prefix=${SETUP_WINEPREFIX:-}
  [ -n "$prefix" ] && [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  if [ -n "${SETUP_XVFB_PID:-}" ]; then
    kill "$SETUP_XVFB_PID" 2>/dev/null || true
  fi
}
trap setup_cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${SETUP_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    SETUP_XVFB_PID=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    export SETUP_HEADLESS=1
    break
  done
fi
