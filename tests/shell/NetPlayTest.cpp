// Network play end to end: real programs, each in a game folder of its own, playing one match over
// 127.0.0.1, headless and scripted. Every machine's world hash agrees at every check, whatever the
// network does; a recording replays the match; a machine that dies is dropped and the others finish;
// one with other data is turned away; the host going ends everyone's match.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <thread>

#include "FreePort.h"
#include "GameFolder.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

// A program started in a folder, its output in out.txt there.
struct Process {
  pid_t pid = -1;
  int exitCode = -1;

  Process(const std::filesystem::path& dir, const std::string& program, const std::string& args) {
    pid = fork();
    if (pid == 0) {
      if (chdir(dir.c_str()) != 0) _exit(127);
      const int out = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(out, 1);
      dup2(out, 2);
      execl("/bin/sh", "sh", "-c", ("exec " + program + " " + args).c_str(), nullptr);
      _exit(127);
    }
  }
  ~Process() {
    if (pid > 0 && exitCode == -1) kill();
  }
  // Waits for the end, within a limit after which the program is stopped.
  int wait(int seconds = 120) {
    for (int i = 0; i < seconds * 20 && exitCode == -1; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) return exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (exitCode == -1) kill();
    return exitCode;
  }
  void kill() {
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    exitCode = -3;
  }
};

struct Machine {
  GameFolder folder;
  std::unique_ptr<Process> process;

  explicit Machine(const std::string& name) : folder("net-" + name) {}
  void start(const std::string& args, const std::string& script = "") {
    folder.write("input.txt", script);
    process = std::make_unique<Process>(folder.dir, "./mashvolt",
                                        "--headless --stats-every 60 --input input.txt " + args);
  }
  std::string output() const { return folder.read("out.txt"); }
  std::string dump() const { return cp1251ToUtf8(folder.read("dump.txt")); }
  // The world hash of every statistics line, by match tick.
  std::map<int, std::string> hashes() const {
    std::map<int, std::string> out;
    const std::string text = output();
    const std::regex line("match_tick=(\\d+) world_hash=([0-9a-f]+)");
    for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it)
      out[std::stoi((*it)[1])] = (*it)[2];
    return out;
  }
};

// The host goes first and is given a moment to listen: a machine that knocks before is answered only
// when ENet knocks again, seconds later.
void startHost(Machine& host, const std::string& args, const std::string& script = "") {
  host.start(args, script);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

std::string hostArgs(int port, int frames, int players = 2) {
  return "--host 127.0.0.1:" + std::to_string(port) + " --players " + std::to_string(players) +
         " --match steelcage --bots 2 --skill 80 --seed 5 --name Host --frames " + std::to_string(frames);
}
std::string joinArgs(int port, int frames, const std::string& name) {
  return "--join 127.0.0.1:" + std::to_string(port) + " --name " + name + " --frames " + std::to_string(frames);
}

// Each person walks, jumps, fires, aims, turns the wheel and talks; one tries settings of the shared
// world, which are refused; the host opens its pause menu for a while, which stops nobody's world.
constexpr const char* kHostScript = R"(20 keydown 68
20 mousedown 400 300
40 mouserel 0 30
80 keyup 68
80 keydown 65
90 keydown 87
95 keyup 87
100 console say hello from the host
120 wheelup
150 keyup 65
150 mouseup 400 300
200 console godmode 1
230 keydown 27
231 keyup 27
260 keydown 27
261 keyup 27
290 console dump dump.txt
)";
constexpr const char* kJoinScript = R"(10 keydown 65
10 mousedown 400 300
30 mouserel 0 -20
70 keyup 65
70 keydown 68
100 keydown 87
104 keyup 87
110 console say hello back
130 wheeldown
160 console name Rover
170 keyup 68
170 mouseup 400 300
200 console meatoff 1
240 keydown 81
245 keyup 81
290 console dump dump.txt
)";

void expectAgreeingHashes(const Machine& a, const Machine& b, size_t checks) {
  const std::map<int, std::string> ha = a.hashes(), hb = b.hashes();
  EXPECT_EQ(ha.size(), checks);
  EXPECT_EQ(ha, hb);
}

TEST(NetPlay, TwoMachinesPlayOneWorldAndARecordingReplaysIt) {
  const int port = freePort();
  Machine host("host"), guest("guest");
  startHost(host, hostArgs(port, 300), kHostScript);
  guest.start(joinArgs(port, 300, "Guest") + " --record match.rec --screenshot-at 250", kJoinScript);
  EXPECT_EQ(host.process->wait(), 0) << host.output();
  EXPECT_EQ(guest.process->wait(), 0) << guest.output();
  expectAgreeingHashes(host, guest, 5);

  // Chat went out, settings of the shared world stayed as the host started them.
  const std::string refused = "В сетевой игре это не меняется.";
  EXPECT_NE(host.dump().find("godmode 1\r\n" + refused), std::string::npos) << host.dump();
  EXPECT_NE(guest.dump().find("meatoff 1\r\n" + refused), std::string::npos) << guest.dump();

  // The guest's recording plays the same match again, without any network.
  Machine replay("replay");
  replay.folder.write("match.rec", guest.folder.read("match.rec"));
  replay.process = std::make_unique<Process>(replay.folder.dir, "./mashvolt",
                                             "--headless --replay match.rec --stats-every 60 --screenshot-at 250");
  EXPECT_EQ(replay.process->wait(), 0) << replay.output();
  expectAgreeingHashes(guest, replay, 5);
  EXPECT_TRUE(replay.folder.read("scr001.bmp") == guest.folder.read("scr001.bmp"));
}

TEST(NetPlay, DelayedAndLostPacketsStillGiveOneWorld) {
  const int port = freePort(), relayPort = freePort();
  GameFolder relayFolder("net-relay");
  Process relay(relayFolder.dir, MASHVOLT_RELAY,
                "--listen " + std::to_string(relayPort) + " --to " + std::to_string(port) +
                    " --delay 0-150 --drop 5 --seed 3 --idle 5");
  Machine host("host"), guest("guest");
  startHost(host, hostArgs(port, 180), kHostScript);
  guest.start(joinArgs(relayPort, 180, "Guest"), kJoinScript);
  EXPECT_EQ(host.process->wait(), 0) << host.output();
  EXPECT_EQ(guest.process->wait(), 0) << guest.output();
  expectAgreeingHashes(host, guest, 3);
  // The delay grew to cover the round trip through the relay.
  EXPECT_TRUE(std::regex_search(guest.output(), std::regex("delay=([6-9]|[1-3][0-9]) "))) << guest.output();
}

// The match is played to its time limit: the end table is the same on every machine, to the pixel, the
// one who went marked as gone.
TEST(NetPlay, AMachineThatDiesIsDroppedAndTheOthersFinishWithOneTable) {
  const int port = freePort();
  Machine host("host"), guest("guest"), doomed("doomed");
  const std::string dumpAtEnd = "3765 console dump dump.txt\n";
  const int frames = 3790;  // a minute of 16 ms ticks is 3750
  startHost(host, hostArgs(port, frames, 3) + " --timelimit 1 --screenshot-at 3780", dumpAtEnd);
  guest.start(joinArgs(port, frames, "Guest") + " --screenshot-at 3780", dumpAtEnd);
  doomed.start(joinArgs(port, frames, "Doomed"));
  // Killed once it is well into the match.
  for (int i = 0; i < 600 && doomed.output().find("match_tick=120 ") == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  doomed.process->kill();
  EXPECT_EQ(host.process->wait(), 0) << host.output();
  EXPECT_EQ(guest.process->wait(), 0) << guest.output();
  expectAgreeingHashes(host, guest, 62);
  EXPECT_NE(host.dump().find("Doomed молчит 5 секунд и отключён."), std::string::npos) << host.dump();
  for (const Machine* m : {&host, &guest}) {
    EXPECT_NE(m->dump().find("Doomed ушёл из игры."), std::string::npos) << m->dump();
    EXPECT_NE(m->dump().find("Матч окончен."), std::string::npos) << m->dump();
  }
  const std::string table = host.folder.read("scr001.bmp");
  EXPECT_EQ(table.size(), 54u + 800 * 600 * 3);
  EXPECT_TRUE(table == guest.folder.read("scr001.bmp"));
}

TEST(NetPlay, OtherDataIsTurnedAwayAndTheHostGoingEndsTheMatch) {
  const int port = freePort();
  Machine host("host"), stranger("stranger"), guest("guest");
  stranger.folder.write("SYSTEM/autoexec.cfg", host.folder.read("SYSTEM/autoexec.cfg") + "godmode 1\r\n");
  startHost(host, hostArgs(port, 120));
  stranger.start(joinArgs(port, 120, "Stranger"));
  EXPECT_EQ(stranger.process->wait(), 1);
  EXPECT_NE(stranger.output().find("другой файл SYSTEM/autoexec.cfg"), std::string::npos)
      << stranger.output();
  // The host waited on for someone it could play with; it ends its run at 120 and with it the match.
  guest.start(joinArgs(port, 100000, "Guest"));
  EXPECT_EQ(host.process->wait(), 0) << host.output();
  EXPECT_EQ(guest.process->wait(), 1) << guest.output();
  EXPECT_NE(guest.output().find("Хозяин игры вышел: матч окончен."), std::string::npos) << guest.output();
}

}  // namespace
}  // namespace mv
