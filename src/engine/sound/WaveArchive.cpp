// Reading and writing the sound archive: a component stream whose one property "List" holds the waves.

#include "engine/archive/ComponentStream.h"
#include "engine/archive/NameIndex.h"
#include "engine/archive/Picture.h"
#include "engine/sound/WaveCollection.h"

namespace mv {
namespace {

void applyItemProperty(TWaveCollectionItem& item, const std::string& name, const TStreamValue& value) {
  auto is = [&](const char* property) { return sameTextCp1251(name, property); };
  if (is("Name")) {
    if (!value.isString()) throwInvalidPropertyValue();
    item.setName(value.text);
  } else if (is("Looped")) {
    if (!value.isBoolean()) throwInvalidPropertyValue();
    item.setLooped(value.tag == ValueTag::True);
  } else if (is("MaxPlayingCount")) {
    if (!value.isInteger()) throwInvalidPropertyValue();
    item.setMaxPlayingCount(value.intValue);
  } else if (is("Wave.WAVE")) {
    if (value.tag != ValueTag::Binary) throwInvalidPropertyValue();
    item.Wave.loadFromImage(value.bytes);
  } else {
    throwPropertyDoesNotExist();
  }
}

}  // namespace

void TWaveCollection::loadFromFile(const std::string& path) {
  const std::vector<uint8_t> data = readWholeFile(path, kArchiveFileLimit);
  try {
    loadFromStream(data);
  } catch (const Error& e) {
    throw Error(inFile(path, e.what()));
  }
}

void TWaveCollection::loadFromStream(std::span<const uint8_t> data) {
  clear();
  TComponentReader reader(data);
  reader.readHeader();
  reader.readProperties([&](const std::string& name) {
    if (!sameTextCp1251(name, "List")) throwPropertyDoesNotExist();
    TWaveCollectionItem* current = nullptr;
    reader.readCollection([&] { current = &add(); },
                          [&](const std::string& property, const TStreamValue& value) {
                            applyItemProperty(*current, property, value);
                          });
  });
  restore();
}

std::vector<uint8_t> TWaveCollection::saveToStream() const {
  TComponentWriter w;
  w.writeHeader("TWaveCollectionComponent");
  w.writePropertyName("List");
  w.beginCollection();
  // Properties at their defaults are left out; the reader gives every new item the defaults.
  for (const auto& item : items_) {
    w.beginItem();
    if (!item->Name.empty()) {
      w.writePropertyName("Name");
      w.writeString(item->Name);
    }
    if (item->Looped()) {
      w.writePropertyName("Looped");
      w.writeBoolean(true);
    }
    if (item->MaxPlayingCount() != 0) {
      w.writePropertyName("MaxPlayingCount");
      w.writeInteger(item->MaxPlayingCount());
    }
    if (!item->Wave.empty()) {
      w.writePropertyName("Wave.WAVE");
      w.writeBinary(item->Wave.saveToImage());
    }
    w.endItem();
  }
  w.endCollection();
  w.endProperties();
  w.endChildren();
  return w.take();
}

void TWaveCollection::saveToFile(const std::string& path) const {
  writeWholeFile(path, saveToStream());
}

}  // namespace mv
