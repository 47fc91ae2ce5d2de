#include "game/console/Console.h"

#include <exception>

#include "game/Globals.h"
#include "game/Version.h"
#include "game/console/Texts.h"

namespace mv {

TConsol::TConsol() {
  lines.push_back(kVersionTitle);
  globals().settings.msgTime = 0;
}

void TConsol::addLine(const std::string& text) {
  lines.push_back(text);
}

void TConsol::submit(const std::string& text) {
  addLine(text);
  if (!execute(nullptr, text)) addLine(consoleText(ConsoleText::UnknownCommand));
}

void TConsol::runLine(const std::string& line, TMan* who) {
  auto run = [&] {
    if (execute(who, line)) return;
    addLine(line);
    addLine(consoleText(ConsoleText::UnknownCommand));
  };
  if (!who) {
    run();
    return;
  }
  try {
    run();
  } catch (const std::exception& e) {
    addLine(e.what());
    if (ShellServices* shell = globals().shell) shell->reportError(e.what());
  }
}

void TConsol::runShared(TMan* who, const std::string& line) {
  ++sharedDepth_;
  runLine(line, who);
  --sharedDepth_;
}

void TConsol::toggle() {
  if (state == Closed && height == 0) state = Opening;
  if (state == Open && height == kFullHeight) state = Closing;
}

void TConsol::keyPress(uint8_t c) {
  if (c == '`' || c == '~') {
    toggle();
    return;
  }
  if (c == 8 || c == 13) return;  // keyDown has them
  if (state == Open) inputLine += static_cast<char>(c);
}

void TConsol::keyDown(uint16_t key) {
  if (state != Open) return;
  switch (key) {
    case 8:
      if (!inputLine.empty()) inputLine.pop_back();
      break;
    case 13: {
      // The line is taken first: what it runs may type into the console again.
      const std::string line = std::move(inputLine);
      inputLine.clear();
      if (!line.empty() && (history.empty() || history.back() != line)) history.push_back(line);
      historyPos_ = history.size();
      submit(line);
      break;
    }
    case 38:
      // The buffer's lines are replies as often as commands: Up walks what the person typed, newest
      // first, and stops at the oldest.
      if (historyPos_ > history.size()) historyPos_ = history.size();
      if (historyPos_ > 0) inputLine = history[--historyPos_];
      break;
    case 40:
      // Back towards the newest; past it the line is empty again.
      if (historyPos_ + 1 < history.size()) {
        inputLine = history[++historyPos_];
      } else {
        historyPos_ = history.size();
        inputLine.clear();
      }
      break;
    default:
      break;
  }
}

void TConsol::addMessage(const std::string& line) {
  if (messages.size() >= kMaxMessages) messages.erase(messages.begin(), messages.end() - (kMaxMessages - 1));
  messages.push_back(line);
}

void TConsol::update(int32_t t) {
  expireFeed(t);
  slide(t);
}

void TConsol::expireFeed(int32_t t) {
  if (messages.empty()) return;
  messageTimer += t;
  if (messageTimer > globals().settings.msgTime) {
    messages.erase(messages.begin());
    messageTimer = 0;
  }
}

void TConsol::slide(int32_t t) {
  if (state == Opening) {
    height += t;
    if (height > kFullHeight) {
      height = kFullHeight;
      state = Open;
    }
  } else if (state == Closing) {
    height -= t;
    if (height < 0) {
      height = 0;
      state = Closed;
    }
  }
}

}  // namespace mv
