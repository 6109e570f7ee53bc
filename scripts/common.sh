# Shared by the README's commands: packages, an Xvfb of our own, Wine clean-up.
# Sourced, not run.

TARNWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

TARNWICK_PACKAGES=(
  cmake ninja-build g++ python3
  clang clang-14 libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libssl-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb fonts-wine fonts-liberation2
  libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxext6
  imagemagick x11-utils nsis
)

# Installs whichever of the packages are missing (needs root, as on CI).
tarnwick_install_packages() {
  local missing=() p
  for p in "${TARNWICK_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Starts an Xvfb on the first free display and exports DISPLAY; its pid is in XVFB_PID.
tarnwick_start_xvfb() {
  local n
  for n in $(seq 90 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Ends every Wine program of one prefix and its server. Programs that outlive
# their server would keep the caller's output pipes open, so whatever is left
# after a bounded wait is killed, found by the prefix in its environment.
tarnwick_stop_wineserver() {
  local prefix=$1 pid
  [ -d "$prefix" ] || return 0
  WINEPREFIX=$prefix timeout 20 wineserver -k 2>/dev/null || true
  WINEPREFIX=$prefix timeout 20 wineserver -w 2>/dev/null || true
  for pid in $(pgrep -f 'wineserver|\.exe' 2>/dev/null); do
    if { tr '\0' '\n' < "/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$prefix"; then
      kill -9 "$pid" 2>/dev/null
    fi
  done
  return 0
}

tarnwick_stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
