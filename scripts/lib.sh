# Shared by the run and test commands: packages, builds, a virtual display and Wine prefixes.
# Source it; it changes nothing by itself.

LANDOU_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$LANDOU_ROOT/build

# Everything a fresh Debian machine lacks for building, running and testing.
LANDOU_PACKAGES=(
  cmake ninja-build g++ python3 googletest libgtest-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  wine wine64 fonts-wine fonts-wqy-microhei fonts-arphic-uming
  xvfb xauth x11-utils xdotool imagemagick
)
# 32-bit Wine, for the 32-bit scripting hosts of the tests, where the kernel runs 32-bit programs.
LANDOU_32_BIT_PACKAGES=(wine32:i386)

# Whether the kernel runs 32-bit x86 programs (some are built or booted without it, and there an
# installed 32-bit Wine makes every "wine" fail): a 93-byte program that only exits.
runs_32_bit_programs() {
  local program status
  program=$(mktemp)
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' > "$program"
  chmod +x "$program"
  "$program" 2>/dev/null
  status=$?
  rm -f "$program"
  [ "$status" -eq 0 ]
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

ensure_packages() {
  local missing=() wanted=("${LANDOU_PACKAGES[@]}") p sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  if runs_32_bit_programs; then
    wanted+=("${LANDOU_32_BIT_PACKAGES[@]}")
  else
    for p in "${LANDOU_32_BIT_PACKAGES[@]}"; do
      installed "$p" || continue
      echo "Removing $p: this kernel does not run 32-bit programs"
      $sudo apt-get remove -y -qq "$p" >/dev/null
    done
  fi
  for p in "${wanted[@]}"; do
    installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing ${missing[*]} ..."
  # 32-bit Wine comes from the i386 architecture.
  [[ " ${missing[*]} " == *:i386* ]] && { dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386; }
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_native() {
  cmake -S "$LANDOU_ROOT" -B "$BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD/native"
}

# The native unit tests built by clang under sanitizers, in build/NAME: build_sanitized NAME LIST.
build_sanitized() {
  cmake -S "$LANDOU_ROOT" -B "$BUILD/$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLANDOU_SANITIZE="$2" >/dev/null
  cmake --build "$BUILD/$1" --target unit_tests
}

build_windows() {
  cmake -S "$LANDOU_ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$LANDOU_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$BUILD/win"
}

# The Windows program and its component built by clang, with the same warnings as errors.
build_windows_clang() {
  cmake -S "$LANDOU_ROOT" -B "$BUILD/win-clang" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$LANDOU_ROOT/cmake/clang-mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$BUILD/win-clang" --target landou qdauto
}

# The Windows program once more, with its web addresses on this machine: the end-to-end tests
# of the notice page and the links serve them (tests/e2e/notice_server.py).
build_windows_online() {
  local definitions
  read -r -a definitions < <(python3 "$LANDOU_ROOT/tests/e2e/notice_server.py" --cmake-definitions)
  cmake -S "$LANDOU_ROOT" -B "$BUILD/win-online" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$LANDOU_ROOT/cmake/mingw-w64-x86_64.cmake" "${definitions[@]}" >/dev/null
  cmake --build "$BUILD/win-online" --target landou
}

# Starts Xvfb on the first free display number from 90 and exports DISPLAY; XVFB_PID is set.
start_virtual_display() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# Wine gives Windows programs their file names in the encoding of the Unix locale: a locale that
# is not installed, or not UTF-8, would lose the Chinese names of the program's files (the key
# code table, exports). Then C.UTF-8, which every system has, is used instead.
use_utf8_locale() {
  local current=${LC_ALL:-${LC_CTYPE:-${LANG:-}}} normalised
  normalised=$(printf '%s' "$current" | tr 'A-Z' 'a-z' | sed 's/utf-8$/utf8/')
  case "$normalised" in
    *.utf8) locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qxF "$normalised" && return 0 ;;
  esac
  export LC_ALL=C.UTF-8 LANG=C.UTF-8
}

wine_environment() {  # PREFIX
  use_utf8_locale
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Creates the Wine prefix once: Chinese font replacements (SimSun by a Ming typeface of the
# same metrics, which the help panel's layout needs), the caption-button font, and (with
# "desktop") a virtual desktop, inside which global hotkeys fire whatever the X focus is.
prepare_prefix() {  # PREFIX [desktop]
  local prefix=$1 desktop=${2:-}
  # A prefix made without 32-bit Wine refuses its loader, and one made with it has the 32-bit
  # tools: it is made again when that changes.
  local kind=64
  [ -x /usr/lib/wine/wine ] && kind=32-64
  local stamp="$prefix/.landou-4-${desktop:-plain}-$kind"
  wine_environment "$prefix"
  [ -f "$stamp" ] && return 0
  rm -rf "$prefix"
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1
  local reg="$prefix/landou.reg"
  {
    echo 'REGEDIT4'
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
    local font
    for font in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft YaHei" "Microsoft YaHei UI" "Segoe UI"; do
      echo "\"$font\"=\"WenQuanYi Micro Hei\""
    done
    echo '"SimSun"="AR PL UMing CN"'
    if [ -n "$desktop" ]; then
      echo
      echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
      echo '"Desktop"="Default"'
      echo
      echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
      echo '"Default"="1280x1000"'
    fi
  } > "$reg"
  /usr/lib/wine/wine64 regedit /S "$reg" >/dev/null 2>&1  # the 64-bit one, whatever "wine" would pick
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  # The Windows desktop folder is a folder of the prefix, not the Linux home.
  local desktop_folder
  desktop_folder="$prefix/drive_c/users/$(id -un)/Desktop"
  [ -L "$desktop_folder" ] && rm "$desktop_folder"
  mkdir -p "$desktop_folder"
  wineserver -w
  touch "$stamp"
}

# For the benchmark and screenshot commands: the Windows build, a virtual display that ends
# with the script, and the end-to-end tests' prefix.
open_e2e_session() {
  ensure_packages
  build_windows >/dev/null
  build_windows_online >/dev/null
  start_virtual_display
  trap 'kill $XVFB_PID 2>/dev/null' EXIT
  prepare_prefix "$BUILD/wine-e2e" desktop
}
