// "Сетевая игра": the name and the host's address, then either the host's match (level, bots, skill,
// how many people, the limits) or joining, and the lobby listing who is in until the host starts.
#include "game/console/Console.h"
#include "platform/Cp1251.h"
#include "shell/MainForm.h"
#include "shell/MatchTexts.h"

namespace mv {

namespace {

std::string ru(const char* utf8) {
  return utf8ToCp1251(utf8);
}

constexpr int32_t kAutoTop = 0;

// "host" or "host:port", the port 27960 when not given or not a port.
std::pair<std::string, uint16_t> hostAndPort(const std::string& address) {
  const size_t colon = address.rfind(':');
  if (colon == std::string::npos) return {address, kDefaultPort};
  const int32_t port = parseBoundedNumber(address.substr(colon + 1), 65535);
  return {address.substr(0, colon), port > 0 ? static_cast<uint16_t>(port) : kDefaultPort};
}

}  // namespace

void TMainForm::buildNetScreen(ScreenState screen) {
  auto edit = [this](size_t i) { return widgets.edits()[i]->caption; };
  switch (screen) {
    case NetGame:
      widgets.addLabel(ru("Имя :"), 100);
      widgets.addNumberEdit(netName, false, 0);
      widgets.addLabel(ru("Адрес хозяина игры :"), 150);
      widgets.addNumberEdit(netAddress, false, 0);
      widgets.addButton(ru("Создать игру"), kAutoTop, [this, edit](TDXButton&) {
        netName = edit(0);
        netAddress = edit(1);
        showScreen(NetHost);
      });
      widgets.addButton(ru("Присоединиться"), kAutoTop, [this, edit](TDXButton&) {
        netName = edit(0);
        netAddress = edit(1);
        auto [host, port] = hostAndPort(netAddress);
        joinGame(host, port, netName);
      });
      widgets.addButton(ru("Назад"), kAutoTop, [this](TDXButton&) { showScreen(MainMenu); });
      widgets.onBack = [this] { showScreen(MainMenu); };
      break;
    case NetHost: {
      const Settings& s = state().settings;
      widgets.addLabel(ru("Количество ботов :"), 100);
      widgets.addNumberEdit("1", true, 100);
      widgets.addLabel(ru("Сложность :"), 150);
      widgets.addNumberEdit("100", true, 100);
      widgets.addLabel(ru("Игроков (2-8) :"), 200);
      widgets.addNumberEdit("2", true, static_cast<int32_t>(kMaxPeople));
      widgets.addLabel(matchText(MatchText::FragLimit), 250);
      widgets.addNumberEdit(std::to_string(s.fragLimit), true, 999);
      widgets.addLabel(matchText(MatchText::TimeLimit), 300);
      widgets.addNumberEdit(std::to_string(s.timeLimit), true, 999);
      widgets.addButton(ru("Создать"), kAutoTop, [this](TDXButton&) {
        TDXImageListBox* list = widgets.mapList();
        if (!list || list->items.empty()) return;
        auto number = [this](size_t i) {
          return parseBoundedNumber(widgets.edits()[i]->caption, widgets.edits()[i]->maxValue);
        };
        HostOptions o;
        o.port = hostAndPort(netAddress).second;
        o.wanted = static_cast<uint8_t>(std::max(2, number(2)));
        o.name = netName;
        o.setup.level = list->currentItem();
        o.setup.bots = number(0);
        o.setup.skill = number(1);
        o.setup.fragLimit = number(3);
        o.setup.timeLimit = number(4);
        hostGame(o);
      });
      widgets.addButton(ru("Назад"), kAutoTop, [this](TDXButton&) { showScreen(NetGame); });
      widgets.addMapList(10, 100);
      widgets.onBack = [this] { showScreen(NetGame); };
      break;
    }
    case NetLobby: {
      lobbyShown_ = net ? net->session()->names() : std::vector<std::string>();
      const bool host = net && net->session()->isHost();
      widgets.addLabel(ru(host ? "Вы хозяин игры. В игре:" : "В игре:"), 100);
      for (size_t i = 0; i < lobbyShown_.size(); ++i)
        widgets.addLabel(std::to_string(i + 1) + ". " + lobbyShown_[i], 130 + 25 * static_cast<int32_t>(i));
      const uint8_t wanted = net ? net->session()->wanted() : 0;
      widgets.addLabel(host ? ru("Матч начнётся, когда наберутся все: ") + std::to_string(lobbyShown_.size()) +
                                  ru(" из ") + std::to_string(wanted)
                            : ru("Ждём, когда хозяин игры начнёт матч."),
                       350);
      if (host)
        widgets.addButton(ru("Начать сейчас"), 400, [this](TDXButton&) {
          if (net && net->session()->names().size() >= 2) net->startMatch();
        });
      widgets.addButton(ru("Выйти"), 450, [this](TDXButton&) { closeNetPlay(); });
      widgets.onBack = [this] { closeNetPlay(); };
      break;
    }
    default:
      break;
  }
}

bool TMainForm::hostGame(const HostOptions& options) {
  return beginNetPlay([&] { return NetPlay::host(*this, options); });
}

bool TMainForm::joinGame(const std::string& host, uint16_t port, const std::string& name) {
  return beginNetPlay([&] { return NetPlay::join(*this, host, port, name); });
}

bool TMainForm::beginNetPlay(const std::function<std::unique_ptr<NetPlay>()>& make) {
  closeNetPlay();
  try {
    net = make();
  } catch (const std::exception& e) {
    reportError(e.what());
    return false;
  }
  net->record = recordNet;
  showScreen(NetLobby);
  return true;
}

bool TMainForm::serviceNetPlay(uint32_t waitMs) {
  if (!net) return false;
  net->service(waitMs);
  const std::string ended = net->endMessage();
  if (!ended.empty()) {
    const bool inMatch = net->inMatch();
    closeNetPlay();
    if (inMatch) returnToMainMenu();
    reportError(ended);
    return true;
  }
  if (net->quietlyOver()) closeNetPlay();
  // Someone came or went: the lobby shows them.
  if (net && state().screenState == NetLobby && net->session()->names() != lobbyShown_) {
    tearDownScreen();
    buildScreen(NetLobby);
  }
  return false;
}

void TMainForm::closeNetPlay() {
  std::unique_ptr<NetPlay> ending = std::move(net);
  if (!ending) return;
  ending->leave();
  ending.reset();
  if (state().screenState == NetLobby) showScreen(NetGame);
}

}  // namespace mv
