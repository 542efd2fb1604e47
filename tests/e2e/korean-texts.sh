#!/usr/bin/env bash
# Setup.exe on a Korean system (code page 949) with a Korean client's message
# script: its save question must draw in Hangul, not in boxes. Keeps a
# screenshot of the question in OUT for people to look at; nothing compares
# its pixels. Cancelling the question must leave the client folder as it was.
# Usage: korean-texts.sh WINE_RUN PREFIX SETUP_EXE SHEET_HELPER DEMO_DIR OUT
set -u
wine_run=$1 prefix=$2 setup=$3 helper=$4 demo=$5 out=$6
client=$(mktemp -d) && trap 'rm -rf "$client"' EXIT
mkdir -p "$out" && rm -f "$out"/*.png
cp -r "$demo"/System "$client"/
iconv -f UTF-8 -t CP949 >"$client/System/LuaFiles514/MsgString.lua" <<'TEXTS'
-- 한국어 클라이언트의 문구
SetupMSG = {
	["ISOK"] = "설정을 저장하고 Setup을 닫을까요?",
	["Device"] = "게임이 화면을 그리는 3D 장치입니다.",
	["Mode"] = "화면 해상도와 색 깊이입니다.",
}
TEXTS
before=$(cd "$client" && find . | sort)

export LC_ALL=ko_KR.UTF-8
helper() { "$wine_run" "$prefix" "$helper" "$@"; }
(cd "$client" && "$wine_run" "$prefix" "$setup") &
setup_pid=$!
status=0
if helper wait && helper ok; then
  sleep 1
  import -window root "$out/korean-question.png" || status=1
  helper no || { echo "the save question did not go"; status=1; }
else
  echo "the sheet or its save question did not show"; status=1
fi
helper close
wait "$setup_pid"
[ "$(cd "$client" && find . | sort)" = "$before" ] || { echo "a cancelled question wrote in the client folder"; status=1; }
[ "$status" -ne 0 ] || echo "screenshot: $out/korean-question.png"
exit "$status"
