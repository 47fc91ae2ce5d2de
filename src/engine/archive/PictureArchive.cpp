// Reading and writing the image archives: a component stream whose one property "List" holds the items.

#include "engine/archive/ComponentStream.h"
#include "engine/archive/NameIndex.h"
#include "engine/archive/PictureCollection.h"

namespace mv {
namespace {

int32_t integerOf(const TStreamValue& value) {
  if (!value.isInteger()) throwInvalidPropertyValue();
  return value.intValue;
}

bool booleanOf(const TStreamValue& value) {
  if (!value.isBoolean()) throwInvalidPropertyValue();
  return value.tag == ValueTag::True;
}

void applyItemProperty(TPictureCollectionItem& item, const std::string& name, const TStreamValue& value,
                       SourceData sources) {
  auto is = [&](const char* property) { return sameTextCp1251(name, property); };
  if (is("Name")) {
    if (!value.isString()) throwInvalidPropertyValue();
    item.setName(value.text);
  } else if (is("PatternWidth")) {
    item.PatternWidth = integerOf(value);
  } else if (is("PatternHeight")) {
    item.PatternHeight = integerOf(value);
  } else if (is("SkipWidth")) {
    item.SkipWidth = integerOf(value);
  } else if (is("SkipHeight")) {
    item.SkipHeight = integerOf(value);
  } else if (is("SystemMemory")) {
    item.SystemMemory = booleanOf(value);
  } else if (is("Transparent")) {
    item.Transparent = booleanOf(value);
  } else if (is("TransparentColor")) {
    uint32_t color = 0;
    if (value.isInteger())
      color = static_cast<uint32_t>(value.intValue);
    else if (value.tag != ValueTag::Ident || !colorFromIdent(value.text, color))
      throwInvalidPropertyValue();
    item.setTransparentColor(color);
  } else if (is("Picture.Data")) {
    if (value.tag != ValueTag::Binary) throwInvalidPropertyValue();
    item.setPicture(readPictureBlock(value.bytes, sources));
  } else {
    throwPropertyDoesNotExist();
  }
}

}  // namespace

void TPictureCollection::loadFromFile(const std::string& path) {
  const std::vector<uint8_t> data = readWholeFile(path, kArchiveFileLimit);
  try {
    loadFromStream(data);
  } catch (const Error& e) {
    throw Error(inFile(path, e.what()));
  }
}

void TPictureCollection::loadFromStream(std::span<const uint8_t> data) {
  clear();
  TComponentReader reader(data);
  reader.readHeader();
  reader.readProperties([&](const std::string& name) {
    if (sameTextCp1251(name, "List")) {
      TPictureCollectionItem* current = nullptr;
      reader.readCollection([&] { current = &add(); },
                            [&](const std::string& property, const TStreamValue& value) {
                              applyItemProperty(*current, property, value, PictureSources);
                            });
    } else if (sameTextCp1251(name, "ColorTable")) {
      const TStreamValue value = reader.readValue();
      if (value.tag != ValueTag::Binary) throwInvalidPropertyValue();
      ColorTable.assign(value.bytes.begin(), value.bytes.end());
    } else {
      throwPropertyDoesNotExist();
    }
  });
  if (displayInitialized()) initialize();
}

std::vector<uint8_t> TPictureCollection::saveToStream() const {
  TComponentWriter w;
  w.writeHeader("TPictureCollectionComponent");
  if (!ColorTable.empty()) {
    w.writePropertyName("ColorTable");
    w.writeBinary(ColorTable);
  }
  w.writePropertyName("List");
  w.beginCollection();
  for (const auto& item : items_) {
    w.beginItem();
    if (!item->Name.empty()) {
      w.writePropertyName("Name");
      w.writeString(item->Name);
    }
    w.writePropertyName("PatternHeight");
    w.writeInteger(item->PatternHeight);
    w.writePropertyName("PatternWidth");
    w.writeInteger(item->PatternWidth);
    if (!item->picture().empty()) {
      w.writePropertyName("Picture.Data");
      w.writeBinary(writePictureBlock(item->picture()));
    }
    if (item->SkipHeight != 0) {
      w.writePropertyName("SkipHeight");
      w.writeInteger(item->SkipHeight);
    }
    if (item->SkipWidth != 0) {
      w.writePropertyName("SkipWidth");
      w.writeInteger(item->SkipWidth);
    }
    w.writePropertyName("SystemMemory");
    w.writeBoolean(item->SystemMemory);
    w.writePropertyName("Transparent");
    w.writeBoolean(item->Transparent);
    w.writePropertyName("TransparentColor");
    w.writeInteger(static_cast<int32_t>(item->transparentColor()));
    w.endItem();
  }
  w.endCollection();
  w.endProperties();
  w.endChildren();
  return w.take();
}

void TPictureCollection::saveToFile(const std::string& path) const {
  writeWholeFile(path, saveToStream());
}

}  // namespace mv
