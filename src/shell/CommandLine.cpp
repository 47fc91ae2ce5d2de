#include "shell/CommandLine.h"

#include <charconv>
#include <functional>
#include <map>

namespace mv {
namespace {

template <typename T>
bool parseNumber(const std::string& text, T min, T max, T& out) {
  T value{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max) return false;
  out = value;
  return true;
}

}  // namespace

std::string usageText() {
  return "usage: mashvolt [options]\n"
         "  --window            play in a window instead of full screen\n"
         "  --headless          no window, no sound device; the back surface stays in memory\n"
         "  --frames N          run N ticks, then exit with code 0\n"
         "  --lag MS            every tick lasts MS milliseconds instead of following the clock\n"
         "                      (headless runs use 16 unless told otherwise)\n"
         "  --seed N            seed the random generator with N instead of the clock\n"
         "  --screenshot-at N   save a screenshot (scrNNN.bmp) after tick N; may be repeated\n"
         "  --input FILE        timed input events, one per line: TICK EVENT [ARGS]\n"
         "                        keydown VK [SHIFT] | keyup VK [SHIFT] | char CODE | text WORDS...\n"
         "                        mousemove X Y | mousedown X Y | mouseup X Y | wheelup | wheeldown\n"
         "                        focus on|off | quit      (lines starting with # are comments)\n"
         "  --audio-out FILE    headless: write what the mixer plays to FILE as a 44100 Hz stereo\n"
         "                      16-bit WAV, at the pace of the ticks\n"
         "  --help              this text\n";
}

ParseResult parseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  CommandLine& o = result.options;

  using Flag = std::function<void()>;
  using Valued = std::function<bool(const std::string&)>;
  const std::map<std::string, Flag> flags = {
      {"--help", [&] { o.help = true; }},
      {"--window", [&] { o.window = true; }},
      {"--headless", [&] { o.headless = true; }},
      {"--hotseat", [&] { o.hotseat = true; }},
  };
  const std::map<std::string, Valued> valued = {
      {"--frames", [&](const std::string& v) { int64_t n; return parseNumber<int64_t>(v, 0, INT64_MAX, n) && (o.frames = n, true); }},
      {"--lag", [&](const std::string& v) { int32_t n; return parseNumber<int32_t>(v, 1, 60000, n) && (o.lag = n, true); }},
      {"--seed", [&](const std::string& v) { uint32_t n; return parseNumber<uint32_t>(v, 0, UINT32_MAX, n) && (o.seed = n, true); }},
      {"--bots", [&](const std::string& v) { return parseNumber<int32_t>(v, 0, 999, o.bots); }},
      {"--skill", [&](const std::string& v) { return parseNumber<int32_t>(v, 0, 999, o.skill); }},
      {"--screenshot-at", [&](const std::string& v) {
         int64_t n;
         return parseNumber<int64_t>(v, 0, INT64_MAX, n) && (o.screenshotAt.push_back(n), true);
       }},
      {"--match", [&](const std::string& v) { return !v.empty() && (o.match = v, true); }},
      {"--exec", [&](const std::string& v) { return o.exec.push_back(v), true; }},
      {"--input", [&](const std::string& v) { return !v.empty() && (o.input = v, true); }},
      {"--audio-out", [&](const std::string& v) { return !v.empty() && (o.audioOut = v, true); }},
  };

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (auto f = flags.find(arg); f != flags.end()) {
      f->second();
      continue;
    }
    auto v = valued.find(arg);
    if (v == valued.end()) {
      result.error = "unknown option: " + arg;
      return result;
    }
    if (i + 1 >= args.size()) {
      result.error = arg + " needs a value";
      return result;
    }
    if (!v->second(args[++i])) {
      result.error = "bad value for " + arg + ": " + args[i];
      return result;
    }
  }
  if (o.window && o.headless) result.error = "--window and --headless exclude each other";
  // A window plays to the sound device; only a headless run has a mix to record.
  if (!o.audioOut.empty() && !o.headless) result.error = "--audio-out needs --headless";
  return result;
}

}  // namespace mv
