#pragma once
// One person's way through the menus, as timed input for --input: main menu, setup (bots down to 0
// with Backspace, the second level with the Down key, Hotseat ticked), start, then back to the main
// menu. Leaving works whether or not the start entered a match: the Back button of the setup screen
// sits where a match has no widget, and the pause menu's main-menu button where the main menu has
// only its settings box.

namespace mv::menuscript {

constexpr const char* kScript = R"(# main menu, pointer at rest below the buttons
2 mousemove 300 560
# start game
12 mousemove 400 132
13 mousedown 400 132
14 mouseup 400 132
15 mousemove 300 560
# bots: the pointer over the first field, Backspace turns "1" into "0"
30 mousemove 400 131
31 keydown 8
32 keyup 8
# the second level
33 keydown 40
34 keyup 40
# Hotseat
35 mousemove 18 338
36 mousedown 18 338
37 mouseup 18 338
38 mousemove 300 560
# start the match
52 mousemove 400 232
53 mousedown 400 232
54 mouseup 400 232
55 mousemove 300 560
# back to the main menu: the setup screen's Back, or Esc and the pause menu's main-menu button
66 mousemove 400 282
67 mousedown 400 282
68 mouseup 400 282
70 keydown 27
71 keyup 27
72 mousemove 400 182
73 mousedown 400 182
74 mouseup 400 182
75 mousemove 300 560
)";

// Ticks after which the run's screenshots are taken: main menu, fresh setup, changed setup, after the
// start, main menu again. The pointer rests at (300, 560) for each.
constexpr int kShotTicks[] = {10, 25, 50, 64, 110};
constexpr int kPointerX = 300, kPointerY = 560;
constexpr int kLastTick = 110;

}  // namespace mv::menuscript
