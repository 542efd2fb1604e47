#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, creating the prefix
# on first use. Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
#
# A program runs with the loader of its own bitness: a 64-bit one through
# Wine's 64-bit loader directly, since Debian's wine wrapper always takes the
# 32-bit loader when wine32 is installed, and that loader cannot start on a
# host that runs 64-bit code only. Everything else this script runs in the
# prefix (wineboot, reg, cmd) goes through the same loader.
set -u
prefix=$1; shift
export WINEPREFIX="$prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No debugger: a program that crashes ends with its exception's code, where
# Wine's debugger would wait, unseen, for ever.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}
export WINEARCH=win64

# Wine's own programs (reg, winepath, cmd) are no files here: they run with
# the 64-bit loader, which every prefix of ours (win64) and every host has.
source "$(dirname "${BASH_SOURCE[0]}")/host-bits.sh"
if [ "$(pe_bits "$1" 2>/dev/null)" = 32 ]; then
  wine=wine
else
  wine=/usr/lib/wine/wine64
  export WINELOADER=$wine
fi

if [ ! -f "$prefix/.ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.ready" ]; then
      "$wine" wineboot -i </dev/null >/dev/null 2>&1
      wineserver -w </dev/null >/dev/null 2>&1
      touch "$prefix/.ready"
    fi
  ) 9>"$prefix.lock"
fi

# The title bar's buttons are glyphs of Wine's Marlett (fonts-wine), which the
# 64-bit loader does not find by itself: the prefix's Fonts folder has it.
# The pages name the Korean font 굴림, and a Korean client's texts are Hangul:
# Wine ships no such font, so the prefix draws them with Debian's NanumGothic
# (fonts-nanum) instead of boxes. regedit reads UTF-16 files as they are.
if [ ! -f "$prefix/.fonts" ]; then
  (
    flock 9
    if [ ! -f "$prefix/.fonts" ]; then
      cp -f /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null
      printf '\xff\xfe' >"$prefix/drive_c/setup-fonts.reg"
      printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"굴림"="NanumGothic"' '"Gulim"="NanumGothic"' |
        iconv -f UTF-8 -t UTF-16LE >>"$prefix/drive_c/setup-fonts.reg"
      "$wine" regedit /S 'C:\setup-fonts.reg' </dev/null >/dev/null 2>&1 &&
        touch "$prefix/.fonts"
      # Fonts are read when the server starts.
      wineserver -k </dev/null >/dev/null 2>&1
      wineserver -w </dev/null >/dev/null 2>&1
    fi
  ) 9>"$prefix.lock"
fi

# Every program of the prefix runs in a Wine virtual desktop of this size.
# Wine's DirectDraw offers the display modes of the screen it draws on: a bare
# Xvfb screen has one size (1024 x 768 only), a virtual desktop the usual
# list from 320 x 200 up to its own size, 640 x 480 and 800 x 600 among them,
# each at 8, 16 and 32 bits. Set SETUP_WINE_DESKTOP=off to draw on the X
# screen directly. SETUP_WINE_DPI sets the display scale (LogPixels) of the
# whole prefix; a caller that asks for another one must be the prefix's only
# user meanwhile, and the next call without it puts 96 back.
desktop=${SETUP_WINE_DESKTOP:-1024x768}
dpi=${SETUP_WINE_DPI:-96}
display="$desktop $dpi"
if [ "$(cat "$prefix/.display" 2>/dev/null)" != "$display" ]; then
  (
    flock 9
    if [ "$(cat "$prefix/.display" 2>/dev/null)" != "$display" ]; then
      if [ "$desktop" = off ]; then
        "$wine" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f </dev/null >/dev/null 2>&1
      else
        "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
        "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f </dev/null >/dev/null 2>&1
      fi
      "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
      # Restart the server so that no desktop of the old kind or scale lives on.
      wineserver -k </dev/null >/dev/null 2>&1
      wineserver -w </dev/null >/dev/null 2>&1
      echo "$display" >"$prefix/.display"
    fi
  ) 9>"$prefix.lock"
fi

# Keep the server and Wine's own background processes up between the many
# short test programs (a cold start costs seconds, a warm one milliseconds),
# and start them here, away from the caller's output: whoever waits for the
# program's output would otherwise wait for them too.
wineserver -p30 </dev/null >/dev/null 2>&1
"$wine" cmd /c exit </dev/null >/dev/null 2>&1

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$@"
fi
exec "$wine" "$@"
