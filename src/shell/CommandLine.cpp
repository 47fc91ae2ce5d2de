#include "shell/CommandLine.h"

#include <algorithm>
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

// A level is a file of the Maps folder: a name, never a path out of it.
bool validLevelName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
         name.find("..") == std::string::npos;
}

// "HOST[:PORT]"; a lone number is a port when no host is needed.
bool parseAddress(const std::string& v, bool portAlone, std::string& host, uint16_t& port) {
  const size_t colon = v.rfind(':');
  std::string hostPart = colon == std::string::npos ? v : v.substr(0, colon);
  const std::string portPart = colon == std::string::npos ? std::string() : v.substr(colon + 1);
  if (portAlone && colon == std::string::npos && !v.empty() &&
      v.find_first_not_of("0123456789") == std::string::npos)
    return parseNumber<uint16_t>(v, 1, 65535, port);
  if (!portPart.empty() || colon != std::string::npos)
    if (!parseNumber<uint16_t>(portPart, 1, 65535, port)) return false;
  host = hostPart;
  return !host.empty() || portAlone;
}

// Screenshots are at least 10 ticks apart in the game; asking for one that cannot be taken is an error
// at once rather than a missing picture later.
std::string checkScreenshotTicks(const CommandLine& o) {
  std::vector<int64_t> ticks = o.screenshotAt;
  std::sort(ticks.begin(), ticks.end());
  for (size_t i = 0; i < ticks.size(); ++i) {
    const std::string at = "--screenshot-at " + std::to_string(ticks[i]);
    if (ticks[i] < 1) return at + ": ticks count from 1";
    if (o.frames && ticks[i] > *o.frames) return at + ": the run ends after tick " + std::to_string(*o.frames);
    if (i > 0 && ticks[i] - ticks[i - 1] < 10)
      return at + ": less than 10 ticks after the screenshot at " + std::to_string(ticks[i - 1]);
  }
  return {};
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
         "  --screenshot-at N   save a screenshot (the next free scrNNN.bmp) after tick N; may be\n"
         "                      repeated, at least 10 ticks apart, and not past --frames\n"
         "  --exec LINE         run LINE through the console as if typed, after start-up; may be\n"
         "                      repeated (the lines run in order)\n"
         "  --input FILE        timed input events, one per line: TICK EVENT [ARGS]\n"
         "                        keydown VK [SHIFT] | keyup VK [SHIFT] | char CODE | text WORDS...\n"
         "                        mousemove X Y | mousedown X Y [left|right|middle]\n"
         "                        mouseup X Y [left|right|middle] | mouserel DX DY [WHEEL]\n"
         "                        wheelup | wheeldown | console LINE | focus on|off | quit\n"
         "                        lag MS (from this tick on, every tick lasts MS milliseconds)\n"
         "                        pad N axes LX LY RX RY LT RT buttons MASK | pad N none (game pad\n"
         "                        N, 0 or 1: SDL's axes and buttons, headless)\n"
         "                      (lines starting with # are comments; a tick while unfocused counts)\n"
         "  --match LEVEL       start a match on Maps/LEVEL.lvx at once (a name, not a path)\n"
         "  --bots N            with --match: N bots join (0..100, default 0)\n"
         "  --skill N           with --match: the bots' skill (0..100, default 100)\n"
         "  --hotseat           with --match: two players on a split screen\n"
         "  --fraglimit N       with --match: the match ends when a fighter has N frags (0..999, 0 none)\n"
         "  --timelimit MIN     with --match: the match ends after MIN minutes of play (0..999, 0 none)\n"
         "  --audio-out FILE    headless: write what the mixer plays to FILE as a 44100 Hz stereo\n"
         "                      16-bit WAV, at the pace of the ticks\n"
         "  --record FILE       write the run to FILE as it is played: the version, the seed, and for every\n"
         "                      tick the input that reached the game and the frame's milliseconds\n"
         "  --replay FILE       play a recording again, frame for frame, in a window or --headless; the\n"
         "                      devices are not listened to but for Esc, which stops it (--frames and\n"
         "                      --screenshot-at count ticks as the recorded run did). Only the build that\n"
         "                      made the recording, with the same game data, replays it\n"
         "  --stats-every N     after every N ticks print one line to standard output with the\n"
         "                      resident memory, the sprites by kind, the frame times (average and\n"
         "                      slowest; the move pass, the drawing and the presentation each at the\n"
         "                      50th and 99th percentile and the slowest) and the renderer that ran\n"
         "                      (in a network match also the match tick, the world hash and the traffic)\n"
         "  --renderer R        auto, gpu or cpu: how a window enlarges the frames. gpu: on the\n"
         "                      graphics card (whole multiples, then smoothed to the screen); cpu: the\n"
         "                      processor's sharp scaling; auto (the default): the card when SDL's\n"
         "                      renderer is a hardware one\n"
         "  --host [PORT]       host a network match (with --match, --bots, --skill; UDP port 27960\n"
         "                      unless given; ADDRESS:PORT listens on that address only)\n"
         "  --players N         with --host: start once N people are in, the host included (2..8,\n"
         "                      default 2)\n"
         "  --join HOST[:PORT]  join the network match hosted there\n"
         "  --name NAME         this machine's person in a network match\n"
         "  --realtime          headless network play keeps to the clock, a tick every 16 ms, instead\n"
         "                      of running as fast as the bundles come\n"
         "                      (with --host or --join, --exec lines run before the match: the host's\n"
         "                      settings, such as the limits, go to every machine)\n"
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
      {"--realtime", [&] { o.realtime = true; }},
  };
  const std::map<std::string, Valued> valued = {
      {"--frames", [&](const std::string& v) { int64_t n; return parseNumber<int64_t>(v, 0, INT64_MAX, n) && (o.frames = n, true); }},
      {"--lag", [&](const std::string& v) { int32_t n; return parseNumber<int32_t>(v, 1, 60000, n) && (o.lag = n, true); }},
      {"--seed", [&](const std::string& v) { uint32_t n; return parseNumber<uint32_t>(v, 0, UINT32_MAX, n) && (o.seed = n, true); }},
      {"--bots", [&](const std::string& v) { return parseNumber<int32_t>(v, 0, 100, o.bots) && (o.botsGiven = true); }},
      {"--skill", [&](const std::string& v) { return parseNumber<int32_t>(v, 0, 100, o.skill) && (o.skillGiven = true); }},
      {"--fraglimit", [&](const std::string& v) { int32_t n; return parseNumber<int32_t>(v, 0, 999, n) && (o.fragLimit = n, true); }},
      {"--timelimit", [&](const std::string& v) { int32_t n; return parseNumber<int32_t>(v, 0, 999, n) && (o.timeLimit = n, true); }},
      {"--screenshot-at", [&](const std::string& v) {
         int64_t n;
         return parseNumber<int64_t>(v, 0, INT64_MAX, n) && (o.screenshotAt.push_back(n), true);
       }},
      {"--match", [&](const std::string& v) { return validLevelName(v) && (o.match = v, true); }},
      // A console line is one line; a break inside one could not be written down for a recording either.
      {"--exec", [&](const std::string& v) { return v.find_first_of("\r\n") == std::string::npos && (o.exec.push_back(v), true); }},
      {"--input", [&](const std::string& v) { return !v.empty() && (o.input = v, true); }},
      {"--audio-out", [&](const std::string& v) { return !v.empty() && (o.audioOut = v, true); }},
      {"--record", [&](const std::string& v) { return !v.empty() && (o.record = v, true); }},
      {"--replay", [&](const std::string& v) { return !v.empty() && (o.replay = v, true); }},
      {"--stats-every", [&](const std::string& v) { int64_t n; return parseNumber<int64_t>(v, 1, INT64_MAX, n) && (o.statsEvery = n, true); }},
      {"--join", [&](const std::string& v) { return parseAddress(v, false, o.join, o.port); }},
      {"--players", [&](const std::string& v) { return parseNumber<int32_t>(v, 2, 8, o.players) && (o.playersGiven = true); }},
      {"--name", [&](const std::string& v) { return !v.empty() && (o.name = v, true); }},
      {"--renderer", [&](const std::string& v) { return parseRendererChoice(v, o.renderer); }},
  };

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (auto f = flags.find(arg); f != flags.end()) {
      f->second();
      continue;
    }
    // The port is optional: a value that is no option is taken as one.
    if (arg == "--host") {
      o.host = true;
      if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0 &&
          !parseAddress(args[++i], true, o.hostAddress, o.port)) {
        result.error = "bad value for --host: " + args[i];
        return result;
      }
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
  if (o.window && o.headless)
    result.error = "--window and --headless exclude each other";
  // A window plays to the sound device; only a headless run has a mix to record.
  else if (!o.audioOut.empty() && !o.headless)
    result.error = "--audio-out needs --headless";
  else if (!o.record.empty() && !o.replay.empty())
    result.error = "--record and --replay exclude each other";
  // A replay is the recorded run: its seed, its ticks, its match and its input are the file's.
  else if (!o.replay.empty() && (o.seed || o.lag || !o.match.empty() || !o.input.empty() || !o.exec.empty()))
    result.error = "--replay takes the seed, the lags, the match and the input from the recording";
  else if (o.match.empty() && (o.botsGiven || o.skillGiven || o.hotseat || o.fragLimit || o.timeLimit))
    result.error = "--bots, --skill, --hotseat, --fraglimit and --timelimit go with --match";
  else if (o.host && !o.join.empty())
    result.error = "--host and --join exclude each other";
  else if (o.host && (o.match.empty() || o.hotseat))
    result.error = "--host needs --match, and a network match has no Hotseat";
  else if (!o.join.empty() && !o.match.empty())
    result.error = "--join takes the match from the host: no --match";
  else if (o.playersGiven && !o.host)
    result.error = "--players goes with --host";
  else if ((o.host || !o.join.empty()) && !o.replay.empty())
    result.error = "--replay plays a recording: no --host or --join";
  else if ((!o.name.empty() || o.realtime) && !o.host && o.join.empty())
    result.error = "--name and --realtime go with --host or --join";
  else if (o.realtime && !o.headless)
    result.error = "--realtime needs --headless: a window always keeps to the clock";
  else
    result.error = checkScreenshotTicks(o);
  return result;
}

}  // namespace mv
