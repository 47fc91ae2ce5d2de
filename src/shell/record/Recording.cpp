#include "shell/record/Recording.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/archive/Files.h"
#include "game/Version.h"
#include "platform/Error.h"

namespace mv {
namespace {

namespace fs = std::filesystem;

constexpr size_t kDigestLength = 16;

// FNV-1a over the file's bytes: enough to tell an edited file from the one recorded with.
std::string fileDigest(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "unreadable";
  uint64_t hash = 0xcbf29ce484222325ull;
  std::array<char, 65536> buffer;
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash ^= static_cast<uint8_t>(buffer[static_cast<size_t>(i)]);
      hash *= 0x100000001b3ull;
    }
  }
  return format("%016llx", static_cast<unsigned long long>(hash));
}

// A name with a line break in it would end its header line early.
std::string printableName(std::string name) {
  for (char& c : name)
    if (static_cast<uint8_t>(c) < 0x20) c = '?';
  return name;
}

bool isDigest(const std::string& word) {
  return word.size() == kDigestLength &&
         std::all_of(word.begin(), word.end(), [](char c) { return std::isxdigit(static_cast<uint8_t>(c)); });
}

}  // namespace

std::vector<DataFile> fingerprintGameData(const std::string& gameFolder, const std::string& configFolder) {
  std::vector<DataFile> files;
  // Every file under root, named as if under `as`; a name already taken is left out.
  const auto addFolder = [&files](const fs::path& root, const std::string& as) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return;
    const size_t before = files.size();
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      std::error_code fileError;
      if (!fs::is_regular_file(it->path(), fileError)) continue;
      const std::string name = printableName(as + "/" + it->path().lexically_relative(root).generic_string());
      const auto taken = files.begin() + static_cast<ptrdiff_t>(before);
      if (std::none_of(files.begin(), taken, [&](const DataFile& f) { return f.name == name; }))
        files.push_back({name, fileDigest(it->path())});
    }
  };
  // The player's own scripts are read before SYSTEM's files of the same name, so they count in their place.
  if (!configFolder.empty()) addFolder(configFolder, "SYSTEM");
  addFolder(fs::path(gameFolder) / "SYSTEM", "SYSTEM");
  addFolder(fs::path(gameFolder) / "Maps", "Maps");
  std::sort(files.begin(), files.end(), [](const DataFile& a, const DataFile& b) { return a.name < b.name; });
  return files;
}

std::string recordingHeader(uint32_t seed, const std::vector<DataFile>& data) {
  std::string header = "# Mashvolt recording: watch it with mashvolt --replay FILE\n";
  header += format("version %s build %s\n", kVersion, buildId());
  header += format("seed %u\n", seed);
  for (const DataFile& file : data) header += "data " + file.digest + " " + file.name + "\n";
  return header;
}

Recording parseRecording(const std::string& text, const std::string& name) {
  Recording recording;
  std::vector<TimedEvent> events;
  bool versionSeen = false, seedSeen = false;
  std::istringstream lines(text);
  std::string line;
  for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty() || w[0][0] == '#') continue;
    auto fail = [&] {
      throw Error(format("%s line %d: cannot understand \"%s\"", name.c_str(), lineNumber, line.c_str()));
    };

    if (!versionSeen) {
      // Before anything else: a file of another build may hold words this one does not know.
      if (w.size() != 4 || w[0] != "version" || w[2] != "build")
        throw Error(format("%s is not a Mashvolt recording", name.c_str()));
      recording.version = w[1];
      recording.build = w[3];
      if (recording.version != kVersion || recording.build != buildId())
        throw Error(
            format("%s was recorded by Mashvolt %s (build %s); this is Mashvolt %s (build %s), which may "
                   "play it differently, so it is not replayed.",
                   name.c_str(), recording.version.c_str(), recording.build.c_str(), kVersion, buildId()));
      versionSeen = true;
    } else if (std::isdigit(static_cast<uint8_t>(w[0][0]))) {
      parseTimedLine(line, lineNumber, true, name.c_str(), events);
    } else if (!events.empty()) {
      fail();  // the header is over
    } else if (w[0] == "seed" && w.size() == 2) {
      auto [end, ec] = std::from_chars(w[1].data(), w[1].data() + w[1].size(), recording.seed);
      if (ec != std::errc() || end != w[1].data() + w[1].size()) fail();
      seedSeen = true;
    } else if (w[0] == "data" && w.size() >= 3 && isDigest(w[1])) {
      const size_t at = line.find(w[1], line.find("data") + 4) + kDigestLength + 1;
      recording.data.push_back({at < line.size() ? line.substr(at) : std::string(), w[1]});
    } else {
      fail();
    }
  }
  if (!versionSeen) throw Error(format("%s is not a Mashvolt recording", name.c_str()));
  if (!seedSeen) throw Error(format("%s has no seed line", name.c_str()));

  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
  auto end = std::find_if(events.begin(), events.end(),
                          [](const TimedEvent& e) { return e.kind == ScriptedKind::End; });
  recording.end = end != events.end() ? end->tick : events.empty() ? 0 : events.back().tick + 1;
  // The end's own tick may hold what came before the run stopped in it (a quit, the lines before it);
  // nothing after it happened.
  std::erase_if(events,
                [&](const TimedEvent& e) { return e.kind == ScriptedKind::End || e.tick > recording.end; });
  recording.events = std::move(events);
  return recording;
}

Recording loadRecording(const std::string& path) {
  std::string text;
  checkFileRead(readPlainFile(path, kRecordingFileLimit, text), path);
  return parseRecording(text, path);
}

std::string dataRefusal(const Recording& recording, const std::string& name,
                        const std::vector<DataFile>& here) {
  auto find = [](const std::vector<DataFile>& files, const std::string& file) -> const DataFile* {
    auto it = std::find_if(files.begin(), files.end(), [&](const DataFile& f) { return f.name == file; });
    return it == files.end() ? nullptr : &*it;
  };
  const char* after = "; the match would go differently, so it is not replayed.";
  for (const DataFile& then : recording.data) {
    const DataFile* now = find(here, then.name);
    if (!now)
      return format("%s was recorded with %s, which is missing here%s", name.c_str(), then.name.c_str(),
                    after);
    if (now->digest != then.digest)
      return format("%s was recorded with a different %s%s", name.c_str(), then.name.c_str(), after);
  }
  for (const DataFile& now : here)
    if (!find(recording.data, now.name))
      return format("%s was recorded without %s%s", name.c_str(), now.name.c_str(), after);
  return {};
}

}  // namespace mv
