#pragma once
// The drop-down console: its text buffer, the typed line, the message feed, and the one interpreter
// every command line goes through (typed, scripted, bound to a key or spoken by a bot).
//
// The console lives for the whole run; the main window makes it before anything can report to it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mv {

class TMan;
class TSurface;

enum ConsoleState : uint8_t { Opening = 0, Closing = 1, Open = 2, Closed = 3 };

class TConsol {
 public:
  static constexpr double kFullHeight = 200;
  // Scripts may exec scripts; a chain deeper than this is a script running itself.
  static constexpr int kMaxScriptDepth = 8;
  // The feed is a band of this many rows at the top of the screen, the newest lines: with many bots
  // talking they arrive faster than msgtime lets them go, and the view below must stay clear. (The
  // buffer is not the feed: it keeps every line it is given.)
  static constexpr size_t kMaxMessages = 8;

  // Starts shut with "Mashvolt 1.1" in the buffer, and sets the feed's msgtime back to 0.
  TConsol();

  void addLine(const std::string& text);
  void add(const std::string& line) { addLine(line); }
  // Enter in the console, and --exec / scripted console lines: echo, then run.
  void submit(const std::string& text);
  // Scripts, bots and bound keys: runs without echo; an unknown line is echoed with its complaint.
  // With a fighter the line comes from inside the move pass, so an error is written to the buffer
  // and handed to the shell's reporting instead of leaving the frame half done.
  void runLine(const std::string& line, TMan* who);

  void toggle();
  // Open or sliding open: what is typed is the console's, and the fighters read no keyboard.
  bool takesKeyboard() const { return state == Open || state == Opening; }
  void keyPress(uint8_t c);
  void keyDown(uint16_t key);
  // Slide and feed expiry, once per match frame, by the frame's milliseconds.
  void update(int32_t t);
  // The two halves of update: the oldest feed line going after msgtime, and the slide open or shut.
  void expireFeed(int32_t t);
  void slide(int32_t t);
  // A chat line into the feed, the oldest dropped beyond kMaxMessages.
  void addMessage(const std::string& line);
  // The feed, or the band with the newest lines and the prompt, over whatever is on `back`.
  void draw(TSurface& back);

  // The interpreter (Interpreter.cpp): true when the line was a command, or was meant for a second
  // player who is not there.
  bool execute(TMan* who, const std::string& line);
  // Runs "SYSTEM\" + name line by line (Script.cpp). "Cannot open file %s" when it cannot be read.
  void runScript(const std::string& name);
  // A line every machine of a network match runs for this fighter at the same step; the gate does not
  // see it.
  void runShared(TMan* who, const std::string& line);

  // In a network match every line of this machine's person (typed, scripted or bound to a key) passes
  // here before it runs: true when the gate took it (sent it to every machine, or refused it), false to
  // run it here. Bots' lines and shared lines pass by.
  std::function<bool(const std::string& line)> lineGate;

  // exit / quit: the loop ends the program once the current frame or event is done.
  void requestQuit() { quitRequested_ = true; }
  bool quitRequested() const { return quitRequested_; }

  std::vector<std::string> lines;     // oldest first; only `clear` empties it
  std::vector<std::string> messages;  // the chat feed, oldest first, at most kMaxMessages
  ConsoleState state = Closed;
  double height = 0;
  int32_t messageTimer = 0;
  std::string inputLine;
  // The lines the person typed and sent with Enter, oldest first, for Up and Down to walk.
  std::vector<std::string> history;

 private:
  // Where Up and Down stand in the history: history.size() is the fresh line being typed.
  size_t historyPos_ = 0;
  int scriptDepth_ = 0;
  int sharedDepth_ = 0;
  bool scriptsStopped_ = false;  // the nesting guard fired: the rest of every running script is skipped
  bool quitRequested_ = false;
};

}  // namespace mv
