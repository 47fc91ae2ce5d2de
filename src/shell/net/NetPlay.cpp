#include "shell/net/NetPlay.h"

#include <algorithm>
#include <chrono>

#include "game/combatants/Player.h"
#include "game/console/Console.h"
#include "net/ClientSession.h"
#include "net/EnetLink.h"
#include "net/HostSession.h"
#include "net/JoinCheck.h"
#include "net/LinePolicy.h"
#include "net/NetTexts.h"
#include "net/WorldHash.h"
#include "shell/MainForm.h"
#include "shell/record/Recording.h"

namespace mv {
namespace {

// Lines of this machine's person waiting to go out; a script of a thousand "say" lines is cut short.
constexpr size_t kMaxWaitingLines = 32;

// A name as the console's "name" keeps it, in text every machine can show.
std::string personName(const std::string& name) {
  return travellingLine(name.substr(0, kMaxNameLength));
}

}  // namespace

std::vector<NamedDigest> gameDataDigests(const std::string& gameFolder) {
  std::vector<NamedDigest> out;
  for (const DataFile& f : fingerprintGameData(gameFolder))
    // The player's own settings, which each machine keeps as it likes: what of them decides the world
    // is the host's in a network match.
    if (f.name != "SYSTEM/config.cfg") out.push_back({f.name, f.digest});
  return out;
}

NetPlay::NetPlay(TMainForm& form, std::unique_ptr<Session> session) : form_(form), session_(std::move(session)) {}

NetPlay::~NetPlay() {
  if (form_.Console) form_.Console->lineGate = nullptr;
  for (TPlayer* person : people_) person->networkInput.reset();
}

std::unique_ptr<NetPlay> NetPlay::host(TMainForm& form, const HostOptions& o) {
  std::unique_ptr<Link> link;
  try {
    link = EnetLink::listen(o.address, o.port, 2 * kMaxPeople);
  } catch (const Error&) {
    throw Error(format(netText(NetText::CannotListen).c_str(), unsigned{o.port}));
  }
  const std::string name = personName(o.name);
  auto session = std::make_unique<HostSession>(
      std::move(link), thisMachine(name, gameDataDigests(form.state().dataFolder)), o.wanted);
  std::unique_ptr<NetPlay> net(new NetPlay(form, std::move(session)));
  net->hostSetup_ = o.setup;
  return net;
}

std::unique_ptr<NetPlay> NetPlay::join(TMainForm& form, const std::string& host, uint16_t port,
                                       const std::string& name) {
  std::unique_ptr<Link> link;
  try {
    link = EnetLink::connect(host, port);
  } catch (const Error&) {
    throw Error(format(netText(NetText::CannotConnect).c_str(), host.c_str()));
  }
  auto session = std::make_unique<ClientSession>(
      std::move(link), thisMachine(personName(name), gameDataDigests(form.state().dataFolder)), host);
  return std::unique_ptr<NetPlay>(new NetPlay(form, std::move(session)));
}

std::unique_ptr<NetPlay> NetPlay::replay(TMainForm& form) {
  std::unique_ptr<NetPlay> net(new NetPlay(form, nullptr));
  net->replay_.emplace();
  return net;
}

void NetPlay::service(uint32_t waitMs) {
  if (!session_) return;
  session_->service(waitMs);
  for (const Notice& n : session_->takeNotices()) {
    if (n.report)
      form_.reportError(n.text);
    else if (form_.Console)
      form_.Console->addLine(n.text);
  }
  if (!people_.empty() || !failure_.empty()) return;
  if (const auto& start = session_->started()) {
    beginMatch(*start);
  } else if (session_->isHost() && session_->wanted() != 0 && session_->names().size() >= session_->wanted()) {
    startMatch();
  }
}

void NetPlay::startMatch() {
  auto* host = dynamic_cast<HostSession*>(session_.get());
  if (!host || session_->started()) return;
  const Settings& settings = form_.state().settings;
  StartInfo start;
  start.seed = form_.fixedSeed.value_or(
      static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  start.level = hostSetup_.level;
  start.bots = hostSetup_.bots;
  start.skill = hostSetup_.skill;
  start.meatOff = settings.meatOff;
  start.fragLimit = hostSetup_.fragLimit.value_or(settings.fragLimit);
  start.timeLimit = hostSetup_.timeLimit.value_or(settings.timeLimit);
  host->start(start);
  beginMatch(*session_->started());
}

void NetPlay::beginMatch(const StartInfo& start) {
  if (record)
    for (const std::string& words : netMatchWords(start)) record(words);
  Globals& g = form_.state();
  // The shared world's settings are the host's, and every machine's generator starts from its seed.
  g.settings.meatOff = static_cast<uint8_t>(start.meatOff);
  g.random.seed(start.seed);
  MatchSetup setup;
  setup.level = start.level;
  setup.bots = start.bots;
  setup.skill = start.skill;
  setup.fragLimit = start.fragLimit;
  setup.timeLimit = start.timeLimit;
  setup.people = start.names;
  setup.you = start.you;
  if (form_.Console) form_.Console->lineGate = [this](const std::string& line) { return gate(line); };
  startScript_ = true;
  try {
    form_.startMatch(setup);
  } catch (const std::exception& e) {
    startScript_ = false;
    failure_ = e.what();
    return;
  }
  startScript_ = false;
  for (size_t i = 0; i < start.names.size(); ++i) {
    auto* person = dynamic_cast<TPlayer*>(g.match->fighter(static_cast<int32_t>(i)));
    person->networkInput = PersonInput{};
    people_.push_back(person);
  }
  // The name given on joining stands over whatever the start script named this machine's person.
  lines_.push_back("name " + start.names[start.you]);
  tick_ = 0;
  if (session_) session_->sendInputs(schedule_.begin(session_->delay()));
}

bool NetPlay::gate(const std::string& line) {
  switch (routeLine(line)) {
    case LineRoute::Here:
      return false;
    case LineRoute::Travel:
      if (lines_.size() < kMaxWaitingLines) lines_.push_back(travellingLine(line));
      return true;
    case LineRoute::Refused:
      // The start script's settings were the host's to give; only a person's own try is answered.
      if (!startScript_) form_.Console->addLine(netText(NetText::LineRefused));
      return true;
  }
  return false;
}

bool NetPlay::frameReady() const {
  if (!inMatch()) return false;
  if (replay_) return true;
  const Bundle* next = session_->nextBundle();
  return next && next->tick == tick_;
}

void NetPlay::beforeMove() {
  if (applied_ || !frameReady()) return;
  Bundle bundle;
  if (replay_) {
    bundle = replay_->take(tick_);
  } else {
    bundle = *session_->nextBundle();
    session_->popBundle();
  }
  if (record)
    for (const std::string& words : bundleWords(bundle, recorded_)) record(words);
  // Sprites meet where they are drawn, and the drawing offset is the camera of the view drawn last: this
  // machine's own person's. The move pass starts from no offset, the same on every machine.
  form_.SpriteEngine.engine.x = form_.SpriteEngine.engine.y = 0;
  carryOut(bundle);
  applied_ = true;
  const PersonInput mine = sample();
  if (session_) session_->sendInputs(schedule_.add(tick_, mine, session_->delay()));
}

void NetPlay::carryOut(const Bundle& bundle) {
  TConsol& console = *form_.Console;
  for (uint8_t p : bundle.leaving) {
    TPlayer* person = people_[p];
    person->leaveMatch();
    person->networkInput.reset();
    const std::string line = format(netText(NetText::PeerLeft).c_str(), person->name.c_str());
    console.addLine(line);
    console.addMessage(line);
  }
  for (const auto& [p, input] : bundle.inputs) {
    TPlayer* person = people_[p];
    for (int8_t step : input.wheel) person->command(step > 0 ? CmdNextWeapon : CmdPrevWeapon);
    for (const std::string& line : input.lines) console.runShared(person, line);
    PersonInput step = input;
    step.wheel.clear();
    step.lines.clear();
    person->networkInput = std::move(step);
  }
}

PersonInput NetPlay::sample() {
  TPlayer* me = form_.state().player1;
  PersonInput in;
  if (me && !me->gone) {
    in = me->readInput();
    // The bound lines, as the fighter's own step would run them: what may travel joins this input.
    if (in.playing && me->alive())
      for (int32_t i = 0; i < std::clamp<int32_t>(me->commandBindCount, 0, kCommandBindSlots); ++i)
        if (me->commandBindDown(i)) {
          const std::string line = me->binds[static_cast<size_t>(kActionSlots + i)].command;
          form_.Console->runLine(line, me);
        }
  }
  in.wheel = std::exchange(wheel_, {});
  in.lines = std::exchange(lines_, {});
  return in;
}

void NetPlay::afterFrame() {
  if (!applied_) return;
  applied_ = false;
  ++tick_;
  if (session_ && tick_ % kHashEvery == 0) session_->sendHash(tick_, worldHash(form_.state()));
}

uint64_t NetPlay::worldHashNow() const {
  return worldHash(form_.state());
}

std::string NetPlay::endMessage() const {
  if (finished_) return {};
  if (!failure_.empty()) return failure_;
  return session_ && session_->over() ? session_->endMessage() : std::string();
}

void NetPlay::leave() {
  if (session_) session_->leave();
}

bool NetPlay::takeWheel(int8_t step) {
  if (!inMatch()) return false;
  if (wheel_.size() < kMaxWheelSteps) wheel_.push_back(step);
  return true;
}

std::string NetPlay::fragTableNote(const TMan* fighter) const {
  if (!session_ || fighter->gone) return {};
  auto it = std::find(people_.begin(), people_.end(), fighter);
  if (it == people_.end()) return {};
  const size_t p = static_cast<size_t>(it - people_.begin());
  PersonStatus status = p < session_->status().size() ? session_->status()[p] : PersonStatus{};
  // This machine's own figures are fresher than what the host last passed round.
  if (fighter == form_.state().player1)
    status = {static_cast<uint16_t>(session_->roundTripMs()), static_cast<uint8_t>(session_->delay())};
  return format(netText(NetText::StatusNote).c_str(), int{status.roundTrip}, int{status.delay});
}

void NetPlay::replayLine(const TimedEvent& line) {
  if (!replay_) return;
  if (line.kind == ScriptedKind::NetPerson) {
    if (inMatch()) replay_->personLine(line);
  } else if (!inMatch() && replay_->startLine(line)) {
    beginMatch(replay_->start());
  }
}

}  // namespace mv
