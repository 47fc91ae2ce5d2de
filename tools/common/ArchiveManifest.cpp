#include "common/ArchiveManifest.h"

#include <cctype>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/ArchiveModel.h"
#include "engine/archive/NameIndex.h"
#include "engine/archive/Picture.h"
#include "platform/Error.h"

namespace mv::tools {
namespace {

namespace fs = std::filesystem;

// Ignoring case, as the game reads property names.
bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && sameTextCp1251(std::string_view(s).substr(s.size() - tail.size()), tail);
}

std::string fileStem(size_t index, const std::string& name) {
  char number[16];
  std::snprintf(number, sizeof number, "%04zu_", index);
  std::string stem = number;
  for (char c : name.substr(0, 40)) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    stem += plain ? c : '_';
  }
  return stem;
}

void writeFile(const fs::path& path, std::span<const uint8_t> bytes) {
  writeWholeFile(path.string(), bytes);
}

std::span<const uint8_t> bytesOf(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

bool samePixels(const TPicture& a, const TPicture& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (size_t i = 0; i < a.pixels().size(); ++i)
    if ((a.pixels()[i] & 0xFFFFFF) != (b.pixels()[i] & 0xFFFFFF)) return false;
  return true;
}

// A picture block as a BMP for people to edit, or nothing when it holds no picture the tools can show.
bool pictureOf(const std::vector<uint8_t>& block, TPicture& picture) {
  try {
    picture = readPictureBlock(block);
  } catch (const Error&) {
    return false;
  }
  return !picture.empty();
}

// One value's text in the manifest; binary values become files named after the item.
std::string valueText(const ArchiveProperty& p, const fs::path& dir, const std::string& stem) {
  const ArchiveValue& v = p.value;
  std::string text = tagName(v.tag);
  switch (v.tag) {
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
      return text + " " + std::to_string(v.number);
    case ValueTag::String:
    case ValueTag::LString:
    case ValueTag::Ident:
      return text + " \"" + quoteManifestText(v.text) + "\"";
    case ValueTag::Binary: {
      TPicture picture;
      if (endsWith(p.name, ".Data") && pictureOf(v.bytes, picture)) {
        writeFile(dir / (stem + ".bmp"), encodeBitmapFile(picture));
        writeFile(dir / (stem + ".block"), v.bytes);
        return "picture \"" + stem + ".bmp\" \"" + stem + ".block\"";
      }
      if (endsWith(p.name, ".WAVE")) {
        writeFile(dir / (stem + ".wav"), v.bytes);
        return "wave \"" + stem + ".wav\"";
      }
      writeFile(dir / (stem + ".bin"), v.bytes);
      return "binary \"" + stem + ".bin\"";
    }
    default:
      return text;
  }
}

// --- manifest reading -------------------------------------------------------------------------------

class LineReader {
 public:
  LineReader(const std::string& line, int number) : line_(line), number_(number) {}
  bool atEnd() {
    skipSpaces();
    return at_ >= line_.size();
  }
  std::string word() {
    skipSpaces();
    const size_t start = at_;
    while (at_ < line_.size() && line_[at_] != ' ') ++at_;
    if (start == at_) fail("a word is missing");
    return line_.substr(start, at_ - start);
  }
  std::string quoted() {
    skipSpaces();
    if (at_ >= line_.size() || line_[at_] != '"') fail("a quoted text is missing");
    const size_t close = line_.find('"', at_ + 1);
    if (close == std::string::npos) fail("a quoted text is not closed");
    const std::string inner = line_.substr(at_ + 1, close - at_ - 1);
    at_ = close + 1;
    try {
      return unquoteManifestText(inner);
    } catch (const Error& e) {
      fail(e.what());
    }
  }
  int32_t number() {
    const std::string w = word();
    try {
      size_t used = 0;
      const long long v = std::stoll(w, &used);
      if (used != w.size() || v < INT32_MIN || v > INT32_MAX) throw std::invalid_argument(w);
      return static_cast<int32_t>(v);
    } catch (const std::exception&) {
      fail("'" + w + "' is not a number");
    }
  }
  [[noreturn]] void fail(const std::string& what) const {
    throw Error(format("%s line %d: %s", kManifestName, number_, what.c_str()));
  }

 private:
  void skipSpaces() {
    while (at_ < line_.size() && line_[at_] == ' ') ++at_;
  }
  const std::string& line_;
  int number_;
  size_t at_ = 0;
};

// Only plain names inside the folder: a manifest must not reach outside it.
fs::path fileIn(const fs::path& dir, const std::string& name, const LineReader& line) {
  if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
      name == "." || name == "..")
    line.fail("'" + name + "' is not a file name in the folder");
  return dir / name;
}

ArchiveValue readManifestValue(LineReader& line, const fs::path& dir) {
  ArchiveValue v;
  const std::string kind = line.word();
  if (kind == "picture") {
    v.tag = ValueTag::Binary;
    const fs::path bmp = fileIn(dir, line.quoted(), line);
    const fs::path block = fileIn(dir, line.quoted(), line);
    const TPicture edited = loadPictureFile(bmp.string());
    if (fs::exists(block)) {
      v.bytes = readWholeFile(block.string());
      TPicture original;
      if (pictureOf(v.bytes, original) && samePixels(original, edited)) return v;
    }
    v.bytes = writePictureBlock(TPicture(edited.width(), edited.height(), edited.pixels()));
    return v;
  }
  if (kind == "wave" || kind == "binary") {
    v.tag = ValueTag::Binary;
    v.bytes = readWholeFile(fileIn(dir, line.quoted(), line).string());
    return v;
  }
  if (!tagFromName(kind, v.tag)) line.fail("unknown value kind '" + kind + "'");
  switch (v.tag) {
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
      v.number = line.number();
      break;
    case ValueTag::String:
    case ValueTag::LString:
    case ValueTag::Ident:
      v.text = line.quoted();
      if (v.tag != ValueTag::LString && v.text.size() > 255) line.fail("text longer than 255 bytes");
      break;
    default:
      break;
  }
  return v;
}

}  // namespace

std::string quoteManifestText(const std::string& text) {
  std::string out;
  for (char c : text) {
    const auto b = static_cast<uint8_t>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    }
  }
  return out;
}

std::string unquoteManifestText(const std::string& quoted) {
  std::string out;
  for (size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] != '\\') {
      out += quoted[i];
      continue;
    }
    if (quoted.size() - i < 4 || quoted[i + 1] != 'x' ||
        !std::isxdigit(static_cast<uint8_t>(quoted[i + 2])) ||
        !std::isxdigit(static_cast<uint8_t>(quoted[i + 3])))
      throw Error("a backslash must start \\xHH");
    out += static_cast<char>(std::stoi(quoted.substr(i + 2, 2), nullptr, 16));
    i += 3;
  }
  return out;
}

std::vector<std::string> extractArchive(std::span<const uint8_t> data, const std::string& dirName) {
  const Archive archive = readArchive(data);
  const fs::path dir(dirName);
  fs::create_directories(dir);
  std::vector<std::string> warnings;
  if (writeArchive(archive) != std::vector<uint8_t>(data.begin(), data.end()))
    warnings.push_back(
        "the archive uses stream features the folder does not keep (item order indices, a "
        "header prefix or trailing bytes); packing it gives an equivalent, not identical, file");

  std::ostringstream m;
  m << "# mvarc manifest: one property per line as name, kind, value. Kinds: int8 int16 int32 string\n"
    << "# lstring ident true false (as stored), picture \"edit.bmp\" \"original.block\", wave \"x.wav\",\n"
    << "# binary \"x.bin\". Texts are quoted; bytes outside printable ASCII are written \\xHH.\n";
  m << "class \"" << quoteManifestText(archive.className) << "\"\n";
  m << "object \"" << quoteManifestText(archive.objectName) << "\"\n";
  for (size_t i = 0; i < archive.properties.size(); ++i) {
    const ArchiveProperty& p = archive.properties[i];
    if (static_cast<int>(i) == archive.listPosition) {
      // The collection's name is written only when it is not the usual one, so it packs back the same.
      m << "list" << (p.name == "List" ? "" : " \"" + quoteManifestText(p.name) + "\"") << "\n";
      for (size_t n = 0; n < archive.items.size(); ++n) {
        const ArchiveItem& item = archive.items[n];
        const ArchiveValue* name = item.find("Name");
        const std::string stem = fileStem(n, name ? name->text : "item");
        m << "item\n";
        for (const ArchiveProperty& ip : item.properties)
          m << "  \"" << quoteManifestText(ip.name) << "\" " << valueText(ip, dir, stem) << "\n";
      }
      m << "end\n";
    } else {
      m << "property \"" << quoteManifestText(p.name) << "\" "
        << valueText(p, dir, "component_" + fileStem(i, p.name)) << "\n";
    }
  }
  writeFile(dir / kManifestName, bytesOf(m.str()));
  return warnings;
}

std::vector<uint8_t> packArchive(const std::string& dirName) {
  const fs::path dir(dirName);
  const std::vector<uint8_t> manifestBytes = readWholeFile((dir / kManifestName).string());
  std::istringstream text(std::string(manifestBytes.begin(), manifestBytes.end()));
  Archive archive;
  bool haveClass = false, inList = false, listDone = false;
  std::string raw;
  for (int number = 1; std::getline(text, raw); ++number) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    LineReader line(raw, number);
    if (raw.empty() || raw[0] == '#' || line.atEnd()) continue;
    const bool indented = raw[0] == ' ';
    if (indented) {
      if (!inList || archive.items.empty()) line.fail("an item property outside an item");
      ArchiveProperty p;
      p.name = line.quoted();
      p.value = readManifestValue(line, dir);
      archive.items.back().properties.push_back(std::move(p));
      continue;
    }
    const std::string keyword = line.word();
    if (keyword == "class") {
      archive.className = line.quoted();
      haveClass = true;
    } else if (keyword == "object") {
      archive.objectName = line.quoted();
    } else if (keyword == "property" && !inList) {
      ArchiveProperty p;
      p.name = line.quoted();
      p.value = readManifestValue(line, dir);
      archive.properties.push_back(std::move(p));
    } else if (keyword == "list" && !inList && !listDone) {
      inList = true;
      archive.listPosition = static_cast<int>(archive.properties.size());
      const std::string name = line.atEnd() ? std::string("List") : line.quoted();
      if (!sameTextCp1251(name, "List")) line.fail("the list must be named List (in any case)");
      archive.properties.push_back({name, {}});
    } else if (keyword == "item" && inList) {
      archive.items.emplace_back();
    } else if (keyword == "end" && inList) {
      inList = false;
      listDone = true;
    } else {
      line.fail("unexpected '" + keyword + "'");
    }
    if (!line.atEnd()) line.fail("extra text at the end of the line");
  }
  if (!haveClass) throw Error(format("%s has no class line", kManifestName));
  if (inList) throw Error(format("%s: the list has no end line", kManifestName));
  return writeArchive(archive);
}

}  // namespace mv::tools
