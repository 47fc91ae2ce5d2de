// The packets of network play: every kind reads back what was written, and what no machine of this
// build would send is refused with a MalformedPacket rather than used.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "net/Messages.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

PersonInput busy() {
  PersonInput in;
  in.playing = true;
  in.held = HeldFire | HeldMoveLeft | HeldZoom;
  in.aim = {{-640, 40}, {15, 5}, {999000, 1000}};
  in.padAim = -0.3 * 17;
  in.wheel = {1, -1, -1};
  in.lines = {"say " + utf8ToCp1251("привет"), "name Bob"};
  return in;
}

StartInfo start() {
  return {0xDEADBEEF, "steelcage", 3, 80, 1, 20, 5, {"Host", utf8ToCp1251("Гость"), "C"}, 2};
}

// Each kind written and read back, through a stream where one is needed.
TEST(Codec, EveryKindReadsBackWhatWasWritten) {
  const Hello hello{kProtocol, "1.1", "0123456789ab", "Ann", {{"Maps/a.lvx", "00ff00ff00ff00ff"}}};
  EXPECT_EQ(decodeHello(encode(hello)), hello);
  EXPECT_EQ(decodeRefuse(encode(Refuse{"no"})).text, "no");
  const Lobby lobby{{"Host", "Ann"}, 4};
  EXPECT_EQ(decodeLobby(encode(lobby)), lobby);
  EXPECT_EQ(decodeStart(encode(start())), start());
  EXPECT_EQ(decodeHash(encode(WorldHashAt{120, 0x0123456789ABCDEFull})), (WorldHashAt{120, 0x0123456789ABCDEFull}));
  EXPECT_EQ(decodePing(encode(Ping{4000000000u, 150, 12})), (Ping{4000000000u, 150, 12}));
  EXPECT_EQ(decodePong(encodePong(77)), 77u);
  const std::vector<PersonStatus> status{{0, 1}, {300, 20}};
  EXPECT_EQ(decodeStatus(encode(status)), status);
  EXPECT_NO_THROW(decodeLeave(encodeLeave()));
  EXPECT_EQ(decodeEnd(encode(End{EndReason::Desync, 600})), (End{EndReason::Desync, 600}));

  // A person's frames: the held controls go only when they change, and still read back every tick.
  InputFrames out, in;
  const PersonInput same = [] {
    PersonInput p = busy();
    p.aim.clear(), p.wheel.clear(), p.lines.clear();
    p.padAim = 0;
    return p;
  }();
  const Bytes first = encodeInput(7, busy(), out), second = encodeInput(8, same, out);
  EXPECT_LT(second.size(), 4u);  // kind, tick, flags: nothing else changed
  EXPECT_EQ(decodeInput(first, in), std::make_pair(int64_t{7}, busy()));
  EXPECT_EQ(decodeInput(second, in), std::make_pair(int64_t{8}, same));

  // Bundles in the order of the people, with who leaves at that tick.
  std::vector<InputFrames> hostSide(3), clientSide(3);
  const Bundle b{5, {{0, busy()}, {2, PersonInput{}}}, {1}};
  EXPECT_EQ(decodeBundle(encode(b, hostSide), clientSide, {false, false, false}), b);
  const Bundle after{6, {{0, same}, {2, busy()}}, {}};
  EXPECT_EQ(decodeBundle(encode(after, hostSide), clientSide, {false, true, false}), after);
}

// Every way a packet can be wrong that a machine of this build never is.
TEST(Codec, RefusesWhatThisBuildWouldNotSend) {
  auto with = [](Bytes bytes, size_t at, uint8_t value) {
    bytes.at(at) = value;
    return bytes;
  };
  auto plus = [](Bytes bytes, std::initializer_list<uint8_t> more) {
    bytes.insert(bytes.end(), more);
    return bytes;
  };
  auto input = [](const PersonInput& p) {
    InputFrames frames;
    return encodeInput(3, p, frames);
  };
  auto readInput = [](const Bytes& b) {
    InputFrames frames;
    decodeInput(b, frames);
  };
  auto inputWith = [&](std::function<void(PersonInput&)> change) {
    PersonInput p = busy();
    change(p);
    return input(p);
  };
  const Bytes start = encode(mv::start());
  const Bytes lobby = encode(Lobby{{"Host"}, 0});
  struct Case {
    const char* what;
    std::function<void()> read;
  };
  const Case cases[] = {
      {"empty", [] { messageKind({}); }},
      {"unknown kind", [] { messageKind(Bytes{99}); }},
      {"another kind", [&] { decodeLobby(start); }},
      {"a byte too many", [&] { decodeStart(plus(start, {0})); }},
      {"cut short", [&] { decodeStart(Bytes(start.begin(), start.end() - 1)); }},
      {"a tick past 32 bits", [&] { decodeHash(Bytes{7, 0x80, 0x80, 0x80, 0x80, 0x10, 0, 0, 0, 0, 0, 0, 0, 0}); }},
      {"a number of eleven bytes", [&] { decodeHash(Bytes{7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}); }},
      {"a level out of the Maps folder", [&] {
         StartInfo s = mv::start();
         s.level = "../SYSTEM/x";
         decodeStart(encode(s));
       }},
      {"bots past 100", [&] {
         StartInfo s = mv::start();
         s.bots = 101;
         decodeStart(encode(s));
       }},
      {"a place past the people", [&] { decodeStart(with(start, start.size() - 1, 3)); }},
      {"one person in the match", [&] {
         StartInfo s = mv::start();
         s.names.resize(1), s.you = 0;
         decodeStart(encode(s));
       }},
      {"a name too long", [&] { decodeLobby(encode(Lobby{{"Hostwithlongname"}, 0})); }},
      {"a name with a line break", [&] { decodeLobby(encode(Lobby{{"Ho\nst"}, 0})); }},
      {"waiting for one person", [&] { decodeLobby(with(lobby, lobby.size() - 1, 1)); }},
      {"an unknown end", [&] { decodeEnd(Bytes{12, 9, 0}); }},
      {"unknown input flags", [&] { readInput(with(input(PersonInput{}), 2, 0x40)); }},
      {"unknown held bits", [&] { readInput(inputWith([](PersonInput& p) { p.held = 1 << 12; })); }},
      {"held controls sent unchanged", [&] { readInput(Bytes{5, 3, 2, 0, 0}); }},
      {"an unknown aim divisor", [&] { readInput(Bytes{5, 3, 4, 1, 2, 3}); }},
      {"an aim past any reading", [&] { readInput(inputWith([](PersonInput& p) { p.aim = {{kMaxAimAmount + 1, 5}}; })); }},
      {"a pad pulled past any sensitivity", [&] { readInput(inputWith([](PersonInput& p) { p.padAim = 1000.5; })); }},
      {"a pad pulled to nothing a number", [&] { readInput(inputWith([](PersonInput& p) { p.padAim = std::nan(""); })); }},
      {"nine aim steps", [&] { readInput(inputWith([](PersonInput& p) { p.aim.assign(9, {1, 5}); })); }},
      {"seventeen wheel steps", [&] { readInput(inputWith([](PersonInput& p) { p.wheel.assign(17, 1); })); }},
      {"a wheel step past the count", [&] { readInput(Bytes{5, 3, 8, 1, 2, 0}); }},
      {"five lines in a tick", [&] { readInput(inputWith([](PersonInput& p) { p.lines.assign(5, "say x"); })); }},
      {"a line that is no chat", [&] { readInput(inputWith([](PersonInput& p) { p.lines = {"godmode 1"}; })); }},
      {"a script run from afar", [&] { readInput(inputWith([](PersonInput& p) { p.lines = {"exec evil.cfg"}; })); }},
      {"a line with a line break", [&] { readInput(inputWith([](PersonInput& p) { p.lines = {"say a\nexit"}; })); }},
      {"a person missing from a bundle", [&] {
         std::vector<InputFrames> out(2), in(2);
         decodeBundle(encode(Bundle{0, {{0, {}}}, {}}, out), in, {false, false});
       }},
      {"a gone person in a bundle", [&] {
         std::vector<InputFrames> out(2), in(2);
         decodeBundle(encode(Bundle{0, {{0, {}}, {1, {}}}, {}}, out), in, {false, true});
       }},
      {"a person with input who also leaves", [&] {
         std::vector<InputFrames> in(2);
         decodeBundle(Bytes{6, 0, 3, 2, 1, 1}, in, {false, false});
       }},
      {"a person past the match", [&] {
         std::vector<InputFrames> in(2);
         decodeBundle(Bytes{6, 0, 7, 0, 1, 1, 1}, in, {false, false});
       }},
  };
  for (const Case& c : cases) EXPECT_THROW(c.read(), MalformedPacket) << c.what;
}

}  // namespace
}  // namespace mv
