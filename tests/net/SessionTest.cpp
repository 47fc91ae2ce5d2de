// The host's and the joining machines' sessions over an in-memory network: who is let in, the start,
// every machine getting the same bundles in order, and how a machine leaves (quitting, falling silent,
// sending nonsense, a world that went its own way) without anyone else's game hanging.
#include <gtest/gtest.h>

#include "FakeLink.h"
#include "net/ClientSession.h"
#include "net/HostSession.h"
#include "net/JoinCheck.h"
#include "net/NetTexts.h"
#include "platform/Cp1251.h"

namespace mv {
namespace {

const std::vector<NamedDigest> kData = {{"Maps/a.lvx", "1111111111111111"}, {"SYSTEM/autoexec.cfg", "2222222222222222"}};

struct Sessions : ::testing::Test {
  FakeNetwork net;
  std::unique_ptr<HostSession> host;
  std::vector<std::unique_ptr<ClientSession>> clients;

  void SetUp() override { host = std::make_unique<HostSession>(net.hostLink(), thisMachine("Host", kData), 3, net.clock()); }
  ClientSession& join(const std::string& name, std::vector<NamedDigest> data = kData) {
    clients.push_back(std::make_unique<ClientSession>(net.joinLink(), thisMachine(name, std::move(data)), "host", net.clock()));
    pump();
    return *clients.back();
  }
  // Every machine takes in what came until nothing more moves.
  void pump() {
    for (int round = 0; round < 5; ++round) {
      host->service(0);
      for (auto& c : clients) c->service(0);
    }
  }
  void startAll() {
    host->start(StartInfo{7, "steelcage", 2, 100, 0, 0, 0, {}, 0});
    pump();
    host->sendInputs(InputSchedule().begin(1));
    for (auto& c : clients) c->sendInputs(InputSchedule().begin(1));
    pump();
  }
  // Every machine's input for a tick, person p aiming p * 10 + tick.
  void tick(int64_t t, std::initializer_list<size_t> quiet = {}) {
    auto input = [t](size_t p) { return PersonInput{true, 0, {{static_cast<int32_t>(p * 10 + t), 40}}, 0, {}, {}}; };
    host->sendInputs({{t, input(0)}});
    for (size_t i = 0; i < clients.size(); ++i)
      if (std::find(quiet.begin(), quiet.end(), i) == quiet.end()) clients[i]->sendInputs({{t, input(i + 1)}});
    pump();
  }
  static std::vector<Bundle> bundles(Session& s) {
    std::vector<Bundle> out;
    while (const Bundle* b = s.nextBundle()) {
      out.push_back(*b);
      s.popBundle();
    }
    return out;
  }
  static std::string text(NetText t) { return netText(t); }
};

TEST_F(Sessions, OnlyTheSameBuildAndDataJoinAndTheLobbyFillsInOrder) {
  auto otherData = kData;
  otherData[1].digest = "3333333333333333";
  auto lessData = kData;
  lessData.pop_back();
  auto moreData = kData;
  moreData.push_back({"Maps/mine.lvx", "4444444444444444"});
  struct Case {
    std::vector<NamedDigest> data;
    std::string refusal;
  };
  const Case cases[] = {
      {otherData, format(text(NetText::OtherFile).c_str(), "SYSTEM/autoexec.cfg")},
      {lessData, format(text(NetText::FileMissingHere).c_str(), "SYSTEM/autoexec.cfg")},
      {moreData, format(text(NetText::FileMissingThere).c_str(), "Maps/mine.lvx")},
  };
  for (const Case& c : cases) {
    ClientSession& refused = join("Eve", c.data);
    EXPECT_TRUE(refused.over());
    EXPECT_EQ(refused.endMessage(), c.refusal);
    EXPECT_FALSE(refused.started());
  }
  Hello otherBuild = thisMachine("Eve", kData);
  otherBuild.build = "000000000000";
  EXPECT_EQ(joinRefusal(otherBuild, thisMachine("Host", kData)),
            format(text(NetText::OtherBuild).c_str(), thisMachine("", {}).version.c_str(),
                   thisMachine("", {}).build.c_str(), otherBuild.version.c_str(), "000000000000"));
  EXPECT_EQ(host->names(), std::vector<std::string>{"Host"});  // nobody refused got in
  EXPECT_EQ(host->takeNotices().size(), 3u);                    // the host is told each refusal

  ClientSession& ann = join("Ann");
  ClientSession& unnamed = join("");
  const std::vector<std::string> lobby = {"Host", "Ann", format(text(NetText::DefaultName).c_str(), 3)};
  EXPECT_EQ(host->names(), lobby);
  EXPECT_EQ(ann.names(), lobby);
  EXPECT_EQ(unnamed.wanted(), 3);
  EXPECT_EQ(join("Late").endMessage(), text(NetText::GameFull));
  startAll();
  ASSERT_TRUE(ann.started());
  EXPECT_EQ(ann.started()->you, 1);
  EXPECT_EQ(unnamed.started()->you, 2);
  EXPECT_EQ(ann.started()->names, lobby);
  EXPECT_EQ(ann.started()->seed, 7u);
  EXPECT_EQ(join("Later").endMessage(), text(NetText::MatchRunning));
}

TEST_F(Sessions, EveryMachineRunsTheSameBundlesAndOneThatGoesLeavesAtAnAgreedTick) {
  ClientSession& ann = join("Ann");
  ClientSession& bob = join("Bob");
  startAll();
  for (int64_t t = 1; t <= 3; ++t) tick(t);
  // Bob quits: he leaves at the first tick not bundled yet, the same for everyone.
  tick(4, {1});
  bob.leave();
  pump();
  tick(5, {1});
  const std::vector<Bundle> atHost = bundles(*host);
  ASSERT_EQ(atHost.size(), 6u);
  EXPECT_EQ(bundles(ann), atHost);
  for (size_t t = 0; t < atHost.size(); ++t) EXPECT_EQ(atHost[t].tick, static_cast<int64_t>(t));
  EXPECT_EQ(atHost[4].leaving, std::vector<uint8_t>{2});
  EXPECT_EQ(atHost[4].inputs.size(), 2u);
  EXPECT_EQ(atHost[3].inputs[2].second.aim[0].amount, 23);
  EXPECT_EQ(atHost[5].inputs.size(), 2u);

  // Ann (the first to join) falls silent: five seconds on, the host gives up on her, and goes on alone.
  net.clients[1]->cut = true;
  tick(6);
  net.now += kSilenceLimitMs + 1;
  tick(7);
  const std::vector<Bundle> later = bundles(*host);
  ASSERT_EQ(later.size(), 2u);
  EXPECT_EQ(later[0].leaving, std::vector<uint8_t>{1});
  EXPECT_EQ(later[1].inputs.size(), 1u);
  const std::vector<Notice> notices = host->takeNotices();
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices.back().text, format(text(NetText::PeerSilent).c_str(), "Ann"));
  // And Ann is told, and ends her match rather than wait.
  EXPECT_TRUE(ann.over());
  EXPECT_EQ(ann.endMessage(), text(NetText::DroppedYou));
}

TEST_F(Sessions, NonsenseFromOneMachineDropsItAndNobodyElse) {
  ClientSession& ann = join("Ann");
  ClientSession& bob = join("Bob");
  startAll();
  tick(1);
  // Bob's machine asks every other to run a script: no input of a person carries that.
  InputFrames frames;
  PersonInput evil{true, 0, {}, 0, {}, {"exec evil.cfg"}};
  net.host->inbox.push_back({LinkEvent::Kind::Received, 2, encodeInput(2, evil, frames)});
  tick(2, {1});
  tick(3, {1});
  const std::vector<Notice> notices = host->takeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_TRUE(notices[0].report);
  EXPECT_NE(notices[0].text.find("Bob"), std::string::npos);
  EXPECT_EQ(bob.endMessage(), text(NetText::DroppedYou));
  const std::vector<Bundle> atAnn = bundles(ann);
  ASSERT_EQ(atAnn.size(), 4u);
  EXPECT_EQ(atAnn[2].leaving, std::vector<uint8_t>{2});
  EXPECT_EQ(atAnn[3].inputs.size(), 2u);
  EXPECT_FALSE(ann.over());

  // The host sending nonsense ends the match for the one it reached.
  net.clients[1]->inbox.push_back({LinkEvent::Kind::Received, 0, Bytes{99}});
  ann.service(0);
  EXPECT_TRUE(ann.over());
  EXPECT_NE(ann.endMessage().find(text(NetText::HostMalformed).substr(0, 20)), std::string::npos);
}

TEST_F(Sessions, DifferentWorldsEndTheMatch) {
  ClientSession& ann = join("Ann");
  ClientSession& bob = join("Bob");
  startAll();
  for (int64_t t = 1; t <= 120; ++t) tick(t);
  host->sendHash(60, 1);
  ann.sendHash(60, 1);
  pump();
  EXPECT_FALSE(ann.over());
  // A hash for a tick no bundle has reached yet cannot be a machine's own.
  bob.sendHash(6000, 1);
  pump();
  EXPECT_EQ(bob.endMessage(), text(NetText::DroppedYou));

  ann.sendHash(120, 5);
  pump();
  host->sendHash(120, 6);
  const std::string desync = format(text(NetText::Desync).c_str(), 120ll);
  EXPECT_EQ(host->endMessage(), desync);
  pump();
  EXPECT_EQ(ann.endMessage(), desync);
}

// The host leaving: everyone still runs what they have, then their match ends.
TEST_F(Sessions, TheHostLeavingEndsTheMatchAfterWhatWasSent) {
  ClientSession& cy = join("Cy");
  startAll();
  host->leave();
  cy.service(0);
  EXPECT_FALSE(cy.over());  // the bundle of tick 0 is still to run
  EXPECT_EQ(bundles(cy).size(), 1u);
  EXPECT_TRUE(cy.over());
  EXPECT_EQ(cy.endMessage(), text(NetText::HostLeft));
}

}  // namespace
}  // namespace mv
