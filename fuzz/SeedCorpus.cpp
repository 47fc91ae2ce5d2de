// make_fuzz_seeds GAME_DIR OUT_DIR: the starting corpus of every fuzz target, made at build time from
// the generated game folder and from the kinds of cases the tests try. Seeds are kept small (a few
// pictures cut down, short waves) so the fuzzer spends its time on mutations, not on big files.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/archive/Picture.h"
#include "engine/archive/PictureCollection.h"
#include "engine/sound/WaveCollection.h"
#include "net/Messages.h"
#include "platform/Error.h"

namespace {

using namespace mv;
namespace fs = std::filesystem;

fs::path gameDir, outDir;

void seed(const std::string& target, const std::string& name, std::span<const uint8_t> bytes) {
  fs::create_directories(outDir / target);
  writeWholeFile((outDir / target / name).string(), bytes);
}

void seedText(const std::string& target, const std::string& name, const std::string& text) {
  seed(target, name, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

TPicture crop(const TPicture& p, int w, int h) {
  w = std::min(w, p.width()), h = std::min(h, p.height());
  std::vector<uint32_t> rgb;
  for (int y = 0; y < h; ++y) rgb.insert(rgb.end(), p.row(y), p.row(y) + w);
  return TPicture(w, h, std::move(rgb));
}

// Image archives: for each picture class of the game's archives, its smallest item alone, and the three
// smallest together; their blocks also seed the picture decoders.
void pictureSeeds() {
  std::vector<std::pair<size_t, const TPictureCollectionItem*>> bySize;
  TPictureCollection graphics, models;
  graphics.loadFromFile((gameDir / "SYSTEM/graphics.dat").string());
  models.loadFromFile((gameDir / "SYSTEM/models.dat").string());
  for (TPictureCollection* c : {&graphics, &models})
    for (int i = 0; i < c->count(); ++i)
      bySize.emplace_back(writePictureBlock(c->item(i).picture()).size(), &c->item(i));
  std::sort(bySize.begin(), bySize.end(), [](auto& a, auto& b) { return a.first < b.first; });

  auto archiveOf = [](std::span<const std::pair<size_t, const TPictureCollectionItem*>> items) {
    TPictureCollection out;
    for (const auto& [size, from] : items) {
      TPictureCollectionItem& item = out.add();
      item.setName(from->Name);
      item.PatternWidth = from->PatternWidth, item.PatternHeight = from->PatternHeight;
      item.SkipWidth = from->SkipWidth, item.SkipHeight = from->SkipHeight;
      item.Transparent = from->Transparent;
      item.setTransparentColor(from->transparentColor());
      item.setPicture(from->picture());
    }
    return out.saveToStream();
  };
  std::vector<std::string> classes;
  for (size_t i = 0; i < bySize.size(); ++i) {
    const TPicture& picture = bySize[i].second->picture();
    if (std::find(classes.begin(), classes.end(), picture.className()) != classes.end()) continue;
    classes.push_back(picture.className());
    // A big picture (the backgrounds are the only JPEGs) is cut down in its own class.
    TPicture small = picture;
    if (bySize[i].first > 4096)
      small = picture.className() == "TJPEGImage" ? decodeJpeg(encodeJpeg(crop(picture, 24, 16), 75))
                                                  : crop(picture, 24, 16);
    TPictureCollection one;
    TPictureCollectionItem& item = one.add();
    item.setName(bySize[i].second->Name);
    item.setPicture(small);
    seed("fuzz_archive", "smallest-" + picture.className() + ".dat", one.saveToStream());
    // The picture decoders see the class's own data.
    seed("fuzz_picture", "block-" + picture.className(),
         small.sourceData().empty() ? encodeDib(small) : small.sourceData());
  }
  seed("fuzz_archive", "three.dat", archiveOf({bySize.data(), std::min<size_t>(3, bySize.size())}));
  seed("fuzz_archive", "empty.dat", TPictureCollection().saveToStream());

  // Picture files as the levels name them, cut down: a tile sheet and a background.
  for (const char* dir : {"Textures", "Backgrounds"})
    for (const auto& entry : fs::directory_iterator(gameDir / dir)) {
      const TPicture p = loadPictureFile(entry.path().string());
      if (entry.path().extension() == ".bmp")
        seed("fuzz_picture", entry.path().filename().string(), encodeBitmapFile(crop(p, 32, 16)));
      else
        seed("fuzz_picture", entry.path().filename().string(), encodeJpeg(crop(p, 24, 16), 75));
      break;  // one of each is enough
    }
}

// The sound archive: its shortest waves, cut to a few hundred bytes of samples, alone and together,
// and as bare wave images.
void soundSeeds() {
  TWaveCollection sounds;
  sounds.loadFromFile((gameDir / "SYSTEM/sounds.dat").string());
  std::vector<const TWaveCollectionItem*> items;
  for (int i = 0; i < sounds.count(); ++i) items.push_back(&sounds.item(i));
  std::sort(items.begin(), items.end(),
            [](auto* a, auto* b) { return a->Wave.dataSize() < b->Wave.dataSize(); });
  items.resize(std::min<size_t>(3, items.size()));

  TWaveCollection together;
  for (const TWaveCollectionItem* from : items) {
    TWaveCollection alone;
    for (TWaveCollection* c : {&alone, &together}) {
      TWaveCollectionItem& item = c->add();
      item.setName(from->Name);
      item.setLooped(from->Looped());
      item.setMaxPlayingCount(from->MaxPlayingCount());
      item.Wave = from->Wave;
      item.Wave.data.resize(std::min<size_t>(item.Wave.data.size(), 256));
    }
    seed("fuzz_sounds", from->Name + ".dat", alone.saveToStream());
    seed("fuzz_sounds", from->Name + ".wav", alone.item(0).Wave.saveToImage());
  }
  seed("fuzz_sounds", "three.dat", together.saveToStream());
}

void levelSeeds() {
  for (const auto& entry : fs::directory_iterator(gameDir / "Maps"))
    seed("fuzz_level", entry.path().filename().string(), readWholeFile(entry.path().string()));
  // The smallest map: one solid cell under a respawn point and one pick-up, with the spare last line.
  seedText("fuzz_level", "tiny.lvx",
           "Tiny\r\nfree text\r\nsteel\r\nsky\r\n2\r\n2\r\n\x15\x16\r\n\x14\x14\r\n\x14\x14\r\n\x15\x15\r\n"
           "\x14\x17\r\n\x14\x14\r\nRespawn\r\n0\r\n-30\r\nHealth25\r\n16\r\n0\r\n\r\n");
  // Lines missing, a bad number, a kind that is no picture, a short layer line.
  seedText("fuzz_level", "short.lvx", "a\nb\nt\nb\n3\n1\n\x15\n\x15\x15\x15\n\x15\n");
  seedText("fuzz_level", "badnumber.lvx", "a\nb\nt\nb\n1\n1\n\x15\n\x15\n\x15\nWeapon3\n1x\n0\n\n");
  seedText("fuzz_level", "nopicture.lvx",
           "a\nb\nt\nb\n1\n1\n\x15\n\x15\n\x15\nrespawn\n0\n0\nAmmo9\n0\n0\n\n");
}

void consoleSeeds() {
  seed("fuzz_console", "autoexec.cfg", readWholeFile((gameDir / "SYSTEM/autoexec.cfg").string()));
  // One line of every command, the ways the tests try them: bad values, "p2", capitals, binds of each
  // device, the script running itself.
  seedText("fuzz_console", "commands.cfg",
           "ver\r\necho hello\r\nGodMode 1\r\ngodmode 2\r\ngodmode x\r\np2godmode 1\r\np2 godmode 1\r\n"
           "name abcdefghi jkl\r\nsay hi\r\nsensivity 0\r\nsensivity 999\r\nlooktype 2\r\nmsgtime 10000\r\n"
           "sound 1\r\ndrawfps 1\r\nmeatoff 1\r\nquality 1\r\njoydeadx 50\r\njoydeady 1000\r\n"
           "screenmode 15\r\nscreenshot\r\ndump out.txt\r\n  godmode 1\r\n# comment\r\n\r\nclear\r\n");
  seedText("fuzz_console", "binds.cfg",
           "bind MOUSE0 \"FIRE\"\nbind JOY5 \"JUMP\"\nbind NUM5 \"say held\"\nbind SPACE \"echo x\"\n"
           "p2bind UPARROW \"JUMP\"\nbind a \"exec fuzz.cfg\"\nbind  x \"CROUCH\"\nbind JOY \"ZOOM\"\n"
           "bind MOUSEq \"LOOKUP\"\nbind\nbind F12 \"screenshot\"\n");
  seedText("fuzz_console", "exec.cfg",
           "echo again\nexec fuzz.cfg\nexec missing.cfg\nexec\nquit\necho after\n");
}

void inputSeeds() {
  seedText("fuzz_input", "every-event.txt",
           "# every event\n1 keydown 65\n2 keyup 65 1\n3 char 97\n4 text hello world\n5 mousemove 400 300\n"
           "6 mousedown 400 300\n7 mouseup 400 300 right\n8 mousedown 1 2 middle\n9 mouserel 5 -3\n"
           "10 console bind A \"FIRE\"\n11 wheelup\n12 wheeldown\n13 focus off\n14 focus on\n99 quit\n");
  seedText("fuzz_input", "out-of-order.txt", "30 keydown 13\r\n10 keydown 27\r\n10 char 96\r\n");
  seedText("fuzz_input", "bad.txt", "5 keydown 300\n");
}

void recordingSeeds() {
  // The body of a recording after its header: every kind of line the recorder writes.
  seedText("fuzz_recording", "session.txt",
           "0 match bots 2 skill 100 level steelcage\n0 devicefocus 1\n0 joystick none\n0 pointer 400 300\n"
           "0 lag 16\n1 hold 68\n1 keydown 68\n1 mouserel 4 -3\n1 lag 17\n2 buttons 128 0 0 0\n"
           "2 mousedown 400 300\n2 char 116\n2 console say hi\n2 lag 0\n3 release 68\n3 keyup 68\n"
           "3 mouserel 0 0 120\n3 wheelup\n3 lag 33\n4 focus off\n4 devicefocus 0\n4 lag 16\n5 end\n");
  seedText("fuzz_recording", "keys.txt", "1 keydown 27\n1 lag 16\n2 quit\n2 end\n");
  seedText("fuzz_recording", "network.txt",
           "0 netname 0 Host\n0 netname 1 Guest\n"
           "0 netmatch you 1 seed 5 bots 2 skill 80 meatoff 0 fraglimit 0 timelimit 0 level steelcage\n"
           "0 person 0 playing on\n0 person 1 held 72\n0 person 1 aim -320 40\n0 person 0 wheel up\n"
           "0 person 1 line say hi\n0 lag 16\n1 person 1 leaves\n1 lag 16\n2 end\n");
}

// Network packets: the first byte says who receives them (decoders alone, a host, a joined machine), then
// each packet after its length byte.
void netSeeds() {
  auto packets = [](uint8_t side, const std::vector<Bytes>& list) {
    Bytes out{side};
    for (const Bytes& p : list) {
      out.push_back(static_cast<uint8_t>(p.size()));
      out.insert(out.end(), p.begin(), p.end());
    }
    return out;
  };
  PersonInput busy{true, HeldFire | HeldMoveLeft, {{-640, 40}, {15, 5}}, 0.25 * 16, {1, -1}, {"say hi"}};
  InputFrames frames;
  std::vector<InputFrames> people(3);
  const Bytes input = encodeInput(3, busy, frames);
  const Bytes bundle = encode(Bundle{0, {{0, busy}, {2, PersonInput{}}}, {}}, people);
  seed("fuzz_net", "decoders", packets(0, {encode(Hello{kProtocol, "1.1", "b", "Ann", {{"Maps/a.lvx", "00"}}}),
                                           encode(Lobby{{"Host", "Ann"}, 2}),
                                           encode(StartInfo{1, "steelcage", 2, 80, 0, 10, 3, {"A", "B"}, 1}),
                                           input, bundle, encode(End{EndReason::Desync, 60}),
                                           encode(std::vector<PersonStatus>{{10, 2}, {0, 1}})}));
  seed("fuzz_net", "to-host", packets(1, {encodeInput(3, busy, frames), encode(WorldHashAt{60, 1}),
                                          encode(Ping{1, 20, 3}), encodeLeave()}));
  seed("fuzz_net", "to-guest", packets(2, {bundle, encode(std::vector<PersonStatus>{{0, 1}, {5, 2}, {9, 3}}),
                                           encodePong(0), encode(End{EndReason::HostLeft, 0})}));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_fuzz_seeds GAME_DIR OUT_DIR\n");
    return 2;
  }
  gameDir = argv[1], outDir = argv[2];
  try {
    fs::remove_all(outDir);
    pictureSeeds();
    soundSeeds();
    levelSeeds();
    consoleSeeds();
    inputSeeds();
    recordingSeeds();
    netSeeds();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_fuzz_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
