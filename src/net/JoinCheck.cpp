#include "net/JoinCheck.h"

#include <algorithm>

#include "game/Version.h"
#include "net/NetTexts.h"

namespace mv {
namespace {

const NamedDigest* find(const std::vector<NamedDigest>& files, const std::string& name) {
  auto it = std::find_if(files.begin(), files.end(), [&](const NamedDigest& f) { return f.name == name; });
  return it == files.end() ? nullptr : &*it;
}

}  // namespace

Hello thisMachine(const std::string& name, std::vector<NamedDigest> data) {
  Hello hello;
  hello.version = kVersion;
  hello.build = buildId();
  hello.name = name;
  hello.data = std::move(data);
  return hello;
}

std::string joinRefusal(const Hello& theirs, const Hello& ours) {
  if (theirs.protocol != ours.protocol || theirs.version != ours.version || theirs.build != ours.build)
    return format(netText(NetText::OtherBuild).c_str(), ours.version.c_str(), ours.build.c_str(),
                  theirs.version.c_str(), theirs.build.c_str());
  for (const NamedDigest& mine : ours.data) {
    const NamedDigest* other = find(theirs.data, mine.name);
    if (!other) return format(netText(NetText::FileMissingHere).c_str(), mine.name.c_str());
    if (other->digest != mine.digest) return format(netText(NetText::OtherFile).c_str(), mine.name.c_str());
  }
  for (const NamedDigest& other : theirs.data)
    if (!find(ours.data, other.name)) return format(netText(NetText::FileMissingThere).c_str(), other.name.c_str());
  return {};
}

}  // namespace mv
