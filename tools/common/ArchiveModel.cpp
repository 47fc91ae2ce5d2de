#include "common/ArchiveModel.h"

#include "engine/archive/NameIndex.h"
#include "platform/Error.h"

namespace mv::tools {
namespace {

ArchiveValue copyValue(const TStreamValue& v) {
  ArchiveValue out;
  out.tag = v.tag;
  out.number = v.intValue;
  out.text = v.text;
  out.bytes.assign(v.bytes.begin(), v.bytes.end());
  return out;
}

class RawWriter {
 public:
  void byte(uint8_t b) { out_.push_back(b); }
  void le(uint32_t v, int size) {
    for (int i = 0; i < size; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void raw(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + size);
  }
  void shortString(const std::string& s) {
    if (s.size() > 255) throw Error(format("Name too long to store: %s", s.substr(0, 40).c_str()));
    byte(static_cast<uint8_t>(s.size()));
    raw(s.data(), s.size());
  }
  void value(const ArchiveValue& v) {
    byte(static_cast<uint8_t>(v.tag));
    switch (v.tag) {
      case ValueTag::Int8:
        le(static_cast<uint32_t>(v.number), 1);
        break;
      case ValueTag::Int16:
        le(static_cast<uint32_t>(v.number), 2);
        break;
      case ValueTag::Int32:
        le(static_cast<uint32_t>(v.number), 4);
        break;
      case ValueTag::String:
      case ValueTag::Ident:
        shortString(v.text);
        break;
      case ValueTag::LString:
        le(static_cast<uint32_t>(v.text.size()), 4);
        raw(v.text.data(), v.text.size());
        break;
      case ValueTag::Binary:
        le(static_cast<uint32_t>(v.bytes.size()), 4);
        raw(v.bytes.data(), v.bytes.size());
        break;
      case ValueTag::False:
      case ValueTag::True:
        break;
      default:
        throw Error(format("Cannot store a value of tag %d", static_cast<int>(v.tag)));
    }
  }
  std::vector<uint8_t> take() { return std::move(out_); }

 private:
  std::vector<uint8_t> out_;
};

bool fitsTag(const ArchiveValue& v) {
  switch (v.tag) {
    case ValueTag::Int8:
      return v.number >= -128 && v.number <= 127;
    case ValueTag::Int16:
      return v.number >= -32768 && v.number <= 32767;
    default:
      return true;
  }
}

}  // namespace

const ArchiveValue* ArchiveItem::find(const std::string& name) const {
  // As the game's reader sees it: names ignore case, and a property given twice has its last value.
  for (auto p = properties.rbegin(); p != properties.rend(); ++p)
    if (sameTextCp1251(p->name, name)) return &p->value;
  return nullptr;
}

Archive readArchive(std::span<const uint8_t> data) {
  Archive archive;
  TComponentReader reader(data);
  reader.readHeader();
  archive.className = reader.className();
  archive.objectName = reader.objectName();
  reader.readProperties([&](const std::string& name) {
    if (sameTextCp1251(name, "List")) {
      archive.listPosition = static_cast<int>(archive.properties.size());
      archive.properties.push_back({name, {}});
      reader.readCollection([&] { archive.items.emplace_back(); },
                            [&](const std::string& property, const TStreamValue& value) {
                              if (value.tag == ValueTag::List || value.tag == ValueTag::Collection)
                                throwInvalidPropertyValue();
                              archive.items.back().properties.push_back({property, copyValue(value)});
                            });
    } else {
      archive.properties.push_back({name, copyValue(reader.readValue())});
    }
  });
  return archive;
}

std::vector<uint8_t> writeArchive(const Archive& archive) {
  RawWriter out;
  out.raw("TPF0", 4);
  out.shortString(archive.className);
  out.shortString(archive.objectName);
  for (size_t i = 0; i < archive.properties.size(); ++i) {
    const ArchiveProperty& property = archive.properties[i];
    out.shortString(property.name);
    if (static_cast<int>(i) != archive.listPosition) {
      if (!fitsTag(property.value)) throw Error(format("%s does not fit its tag", property.name.c_str()));
      out.value(property.value);
      continue;
    }
    out.byte(static_cast<uint8_t>(ValueTag::Collection));
    for (const ArchiveItem& item : archive.items) {
      out.byte(static_cast<uint8_t>(ValueTag::List));
      for (const ArchiveProperty& p : item.properties) {
        if (!fitsTag(p.value)) throw Error(format("%s does not fit its tag", p.name.c_str()));
        out.shortString(p.name);
        out.value(p.value);
      }
      out.byte(0);
    }
    out.byte(0);
  }
  out.byte(0);  // end of the properties
  out.byte(0);  // no child components
  return out.take();
}

namespace {
struct TagNameEntry {
  ValueTag tag;
  const char* name;
};
constexpr TagNameEntry kTagNames[] = {
    {ValueTag::Int8, "int8"},     {ValueTag::Int16, "int16"},     {ValueTag::Int32, "int32"},
    {ValueTag::String, "string"}, {ValueTag::LString, "lstring"}, {ValueTag::Ident, "ident"},
    {ValueTag::False, "false"},   {ValueTag::True, "true"},       {ValueTag::Binary, "binary"},
};
}  // namespace

std::string tagName(ValueTag tag) {
  for (const auto& e : kTagNames)
    if (e.tag == tag) return e.name;
  return "tag" + std::to_string(static_cast<int>(tag));
}

bool tagFromName(const std::string& name, ValueTag& tag) {
  for (const auto& e : kTagNames)
    if (name == e.name) {
      tag = e.tag;
      return true;
    }
  return false;
}

}  // namespace mv::tools
