#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(CommandLine, ReadsEveryOption) {
  auto r = parseCommandLine({"--headless", "--frames", "200", "--lag", "16", "--seed", "42", "--match", "duel",
                             "--bots", "3", "--skill", "2", "--hotseat", "--fraglimit", "999", "--timelimit",
                             "0", "--exec", "sound 0", "--exec",
                             "drawfps 1", "--screenshot-at", "30", "--screenshot-at", "60", "--input", "keys.txt"});
  ASSERT_EQ(r.error, "");
  const CommandLine& o = r.options;
  EXPECT_TRUE(o.headless);
  EXPECT_FALSE(o.window);
  EXPECT_EQ(o.frames, 200);
  EXPECT_EQ(o.lag, 16);
  EXPECT_EQ(o.seed, 42u);
  EXPECT_EQ(o.match, "duel");
  EXPECT_EQ(o.bots, 3);
  EXPECT_EQ(o.skill, 2);
  EXPECT_TRUE(o.hotseat);
  EXPECT_EQ(o.fragLimit, 999);
  EXPECT_EQ(o.timeLimit, 0);
  EXPECT_EQ(o.exec, (std::vector<std::string>{"sound 0", "drawfps 1"}));
  EXPECT_EQ(o.screenshotAt, (std::vector<int64_t>{30, 60}));
  EXPECT_EQ(o.input, "keys.txt");
}

TEST(CommandLine, AudioOutIsForHeadlessRuns) {
  auto r = parseCommandLine({"--headless", "--audio-out", "run.wav"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.audioOut, "run.wav");
  EXPECT_EQ(parseCommandLine({"--audio-out", "run.wav"}).error, "--audio-out needs --headless");
  EXPECT_EQ(parseCommandLine({"--headless", "--audio-out", ""}).error, "bad value for --audio-out: ");
  EXPECT_NE(usageText().find("--audio-out FILE"), std::string::npos);
}

TEST(CommandLine, StatisticsAndTheRendererChoice) {
  auto r = parseCommandLine({"--headless", "--stats-every", "3750"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.statsEvery, 3750);
  EXPECT_EQ(r.options.renderer, RendererChoice::Auto);
  // A window's statistics say which renderer ran.
  r = parseCommandLine({"--window", "--stats-every", "60", "--renderer", "gpu"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.renderer, RendererChoice::Gpu);
  EXPECT_EQ(parseCommandLine({"--renderer", "cpu"}).options.renderer, RendererChoice::Cpu);
  EXPECT_EQ(parseCommandLine({"--renderer", "GPU"}).error, "bad value for --renderer: GPU");
  EXPECT_EQ(parseCommandLine({"--headless", "--stats-every", "0"}).error, "bad value for --stats-every: 0");
  EXPECT_NE(usageText().find("--stats-every N"), std::string::npos);
  EXPECT_NE(usageText().find("--renderer R"), std::string::npos);
}

TEST(CommandLine, NothingGivenMeansTheDefaults) {
  auto r = parseCommandLine({});
  EXPECT_EQ(r.error, "");
  EXPECT_FALSE(r.options.frames.has_value());
  EXPECT_FALSE(r.options.lag.has_value());
  EXPECT_FALSE(r.options.headless);
  EXPECT_FALSE(r.options.fragLimit.has_value());  // the settings' limits stay
}

TEST(CommandLine, RefusesWhatItDoesNotUnderstand) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--fly"},
           {"frames"},
           {"--frames"},
           {"--frames", "ten"},
           {"--frames", "-1"},
           {"--frames", "12x"},
           {"--lag", "0"},
           {"--lag", "99999999999"},
           {"--seed", "-3"},
           {"--screenshot-at", ""},
           {"--window", "--headless"},
           {"--bots", "2"},
           {"--hotseat"},
           {"--match", "duel", "--bots", "101"},
           {"--match", "duel", "--skill", "-1"},
           {"--match", "duel", "--fraglimit", "1000"},
           {"--match", "duel", "--timelimit", "-1"},
           {"--timelimit", "5"},
           {"--match", "../duel"},
           {"--match", "Maps/duel"},
           {"--match", "a\\b"},
           {"--screenshot-at", "0"},
           {"--frames", "20", "--screenshot-at", "21"},
           {"--screenshot-at", "40", "--screenshot-at", "31"},
           {"--screenshot-at", "40", "--screenshot-at", "40"},
       }) {
    SCOPED_TRACE(args[0]);
    EXPECT_NE(parseCommandLine(args).error, "");
  }
}

TEST(CommandLine, ScreenshotsThatCanBeTakenAreAccepted) {
  auto r = parseCommandLine({"--frames", "20", "--screenshot-at", "20", "--screenshot-at", "10"});
  EXPECT_EQ(r.error, "");
  r = parseCommandLine({"--screenshot-at", "5", "--screenshot-at", "9"});
  EXPECT_EQ(r.error, "--screenshot-at 9: less than 10 ticks after the screenshot at 5");
}

TEST(CommandLine, RecordingAndReplaying) {
  auto r = parseCommandLine({"--window", "--record", "match.txt", "--match", "duel", "--seed", "3", "--exec", "say hi"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.record, "match.txt");
  r = parseCommandLine({"--headless", "--replay", "match.txt", "--frames", "100", "--screenshot-at", "50"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.replay, "match.txt");
  EXPECT_EQ(parseCommandLine({"--record", "a", "--replay", "b"}).error, "--record and --replay exclude each other");
  // What decided the recorded run comes from the file alone.
  for (const auto& extra : std::vector<std::vector<std::string>>{
           {"--seed", "1"}, {"--lag", "16"}, {"--match", "duel"}, {"--input", "keys.txt"}, {"--exec", "sound 0"}}) {
    std::vector<std::string> args = {"--replay", "match.txt"};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_EQ(parseCommandLine(args).error, "--replay takes the seed, the lags, the match and the input from the recording")
        << extra[0];
  }
  EXPECT_NE(parseCommandLine({"--record", ""}).error, "");
  EXPECT_NE(parseCommandLine({"--replay", ""}).error, "");
  // A console line is one line.
  EXPECT_EQ(parseCommandLine({"--exec", "say a\nquit"}).error, "bad value for --exec: say a\nquit");
}

TEST(CommandLine, HostingAndJoining) {
  struct Case {
    std::vector<std::string> args;
    std::string address, join;
    uint16_t port;
  };
  const Case cases[] = {
      {{"--host", "--match", "duel"}, "", "", 27960},
      {{"--host", "27961", "--match", "duel"}, "", "", 27961},
      {{"--host", "127.0.0.1:27962", "--match", "duel"}, "127.0.0.1", "", 27962},
      {{"--host", "127.0.0.1", "--match", "duel"}, "127.0.0.1", "", 27960},
      {{"--join", "localhost"}, "", "localhost", 27960},
      {{"--join", "127.0.0.1:5000", "--name", "Ann"}, "", "127.0.0.1", 5000},
  };
  for (const Case& c : cases) {
    auto r = parseCommandLine(c.args);
    ASSERT_EQ(r.error, "") << c.args[1];
    EXPECT_EQ(r.options.host, c.join.empty());
    EXPECT_EQ(r.options.hostAddress, c.address);
    EXPECT_EQ(r.options.join, c.join);
    EXPECT_EQ(r.options.port, c.port);
  }
  auto r = parseCommandLine({"--headless", "--host", "--players", "4", "--match", "duel", "--bots", "2", "--realtime"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.players, 4);
  EXPECT_TRUE(r.options.realtime);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--host"},                                           // no level
           {"--host", "0", "--match", "duel"},                   // no port
           {"--host", "70000", "--match", "duel"},
           {"--host", "--match", "duel", "--hotseat"},           // Hotseat and network do not mix
           {"--host", "--join", "x", "--match", "duel"},
           {"--join", "x", "--match", "duel"},                   // the host chooses
           {"--join", "x:"},
           {"--join", ":27960"},
           {"--players", "3"},
           {"--host", "--match", "duel", "--players", "9"},
           {"--host", "--match", "duel", "--players", "1"},
           {"--name", "Ann"},
           {"--join", "x", "--realtime"},                        // a window keeps to the clock anyway
           {"--replay", "r.txt", "--join", "x"},
       }) {
    SCOPED_TRACE(args.back());
    EXPECT_NE(parseCommandLine(args).error, "");
  }
}

TEST(CommandLine, UsageNamesTheOptionsThatWork) {
  std::string usage = usageText();
  for (const char* option : {"--window", "--headless", "--frames", "--lag", "--seed", "--screenshot-at", "--input",
                             "--exec", "console LINE", "mouserel DX DY", "mousedown X Y [left|right|middle]", "lag MS",
                             "--record FILE", "--replay FILE", "--host [PORT]", "--join HOST[:PORT]",
                             "--players N", "--name NAME"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace mv
