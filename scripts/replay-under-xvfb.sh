#!/usr/bin/env bash
# Plays a short match in a window under Xvfb with xdotool at the keyboard and mouse, recording it on the
# real clock, then replays the recording headless and checks that the three screenshots taken along the
# way come out the same to the byte. Leaves everything in a scratch folder for a look at the pictures.
#   scripts/replay-under-xvfb.sh [BUILD_DIR]        (default: build)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
game="$build/game"
work=$(mktemp -d /tmp/mashvolt-xvfb-XXXXXX)
mkdir "$work/window" "$work/replay"
shots=(--screenshot-at 150 --screenshot-at 250 --screenshot-at 380)

# In the window: the match starts from the command line with the frame rate shown (counted from the
# real clock, so the replay must keep the recorded times), then a person walks right, aims up, fires,
# jumps, walks left, aims down, says hello (T), fires again and turns the wheel.
cat >"$work/session.sh" <<SESSION
set -e
cd "$work/window"
"$game/mashvolt" --window --record rec.txt --match steelcage --bots 2 --skill 60 --exec "drawfps 1" \
  --frames 400 ${shots[*]} \
  >run.log 2>&1 &
game=\$!
sleep 1.5
xdotool keydown d; sleep 0.6; xdotool keyup d
xdotool mousemove_relative -- 0 -60; sleep 0.2
xdotool mousedown 1; sleep 0.7; xdotool mouseup 1
xdotool keydown w; sleep 0.2; xdotool keyup w
xdotool keydown a; sleep 0.5; xdotool keyup a
xdotool mousemove_relative -- 0 90; sleep 0.1
xdotool key t
xdotool mousedown 1; sleep 0.5; xdotool mouseup 1
xdotool click 4
wait \$game
SESSION
xvfb-run -a -s "-screen 0 1024x768x24" timeout 60 bash "$work/session.sh"

cd "$work/replay"
timeout 60 "$game/mashvolt" --headless --replay ../window/rec.txt "${shots[@]}"
status=0
for n in 001 002 003; do
  if cmp -s "scr$n.bmp" "../window/scr$n.bmp"; then echo "scr$n.bmp: the same"; else echo "scr$n.bmp: DIFFERS"; status=1; fi
done
echo "input lines recorded: $(grep -cv -e ' lag ' -e '^[a-z#]' ../window/rec.txt)"
echo "pictures and recording in $work"
exit $status
