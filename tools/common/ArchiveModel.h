#pragma once
// An archive (the image or sound archive) held as plain data: the component's names, its properties
// and the items of its "List" collection, each property with the exact tag it was stored with, so
// that writing the model back gives the same bytes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/archive/ComponentStream.h"

namespace mv::tools {

struct ArchiveValue {
  ValueTag tag = ValueTag::Null;
  int32_t number = 0;          // Int8, Int16, Int32
  std::string text;            // String, LString, Ident
  std::vector<uint8_t> bytes;  // Binary
};

struct ArchiveProperty {
  std::string name;
  ArchiveValue value;
};

struct ArchiveItem {
  std::vector<ArchiveProperty> properties;
  // The value of that name as the game takes it: ignoring case, the last when it is given twice.
  const ArchiveValue* find(const std::string& name) const;
};

struct Archive {
  std::string className, objectName;
  // The component's own properties; the "List" collection (its name in any case, as the game reads it)
  // stands at index listPosition among them.
  std::vector<ArchiveProperty> properties;
  int listPosition = -1;
  std::vector<ArchiveItem> items;
};

// Throws mv::Error with the stream reader's messages for malformed data.
Archive readArchive(std::span<const uint8_t> data);
std::vector<uint8_t> writeArchive(const Archive& archive);

// The tag's name in manifests ("int8", "string", ...) and back; false for an unknown name.
std::string tagName(ValueTag tag);
bool tagFromName(const std::string& name, ValueTag& tag);

}  // namespace mv::tools
