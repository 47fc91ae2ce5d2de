// The archive container: what the writer produces the reader takes back, and every broken stream gets
// its own message without reading past the data.

#include <gtest/gtest.h>

#include "engine/archive/ComponentStream.h"
#include "engine/archive/PictureCollection.h"

namespace mv {
namespace {

std::string loadError(const std::vector<uint8_t>& bytes, TPictureCollection* into = nullptr) {
  TPictureCollection local;
  TPictureCollection& c = into ? *into : local;
  try {
    c.loadFromStream(bytes);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// An archive of one item whose properties the caller writes.
template <typename Fn>
std::vector<uint8_t> oneItemArchive(Fn writeProperties) {
  TComponentWriter w;
  w.writeHeader("TPictureCollectionComponent");
  w.writePropertyName("List");
  w.beginCollection();
  w.beginItem();
  writeProperties(w);
  w.endItem();
  w.endCollection();
  w.endProperties();
  w.endChildren();
  return w.take();
}

TPicture gradient(int w, int h, uint32_t seed) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < px.size(); ++i) px[i] = (seed * 2654435761u + i * 40503u) & 0xFFFFFF;
  return TPicture(w, h, std::move(px));
}

TEST(ComponentStream, ManyItemArchiveSurvivesWriterAndReader) {
  TPictureCollection source;
  for (int i = 0; i < 40; ++i) {
    auto& item = source.add();
    item.setName("Item" + std::to_string(i));
    item.PatternWidth = i % 5 * 8;
    item.PatternHeight = 300 + i;  // needs a 16-bit integer tag
    item.SkipWidth = i % 3;
    item.SkipHeight = i % 2 ? 70000 : 0;  // a 32-bit tag
    item.SystemMemory = i % 2;
    item.Transparent = i % 3 != 0;
    item.setTransparentColor(0xFF00FF + i);
    if (i % 4) item.setPicture(gradient(1 + i, 1 + i % 7, i));
  }
  source.item(7).setName(std::string(300, 'x'));  // a long string name
  source.ColorTable.assign(1024, 7);

  TPictureCollection copy;
  copy.loadFromStream(source.saveToStream());
  ASSERT_EQ(copy.count(), 40);
  EXPECT_EQ(copy.ColorTable, source.ColorTable);
  for (int i = 0; i < 40; ++i) {
    const auto &a = source.item(i), &b = copy.item(i);
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.PatternWidth, b.PatternWidth);
    EXPECT_EQ(a.PatternHeight, b.PatternHeight);
    EXPECT_EQ(a.SkipWidth, b.SkipWidth);
    EXPECT_EQ(a.SkipHeight, b.SkipHeight);
    EXPECT_EQ(a.SystemMemory, b.SystemMemory);
    EXPECT_EQ(a.Transparent, b.Transparent);
    EXPECT_EQ(a.transparentColor(), b.transparentColor());
    EXPECT_EQ(a.picture().width(), b.picture().width());
    EXPECT_EQ(a.picture().pixels(), b.picture().pixels()) << i;
  }
  EXPECT_EQ(&copy.find("item12"), &copy.item(12));
  // A second round keeps the pictures' blocks byte for byte.
  TPictureCollection again;
  again.loadFromStream(copy.saveToStream());
  EXPECT_EQ(again.saveToStream(), copy.saveToStream());
}

TEST(ComponentStream, WriterOmitsZeroSkipsAndUsesSmallestIntegerTags) {
  TComponentWriter w;
  w.writeInteger(-128), w.writeInteger(128), w.writeInteger(-32769);
  EXPECT_EQ(w.bytes(), (std::vector<uint8_t>{2, 0x80, 3, 0x80, 0, 4, 0xFF, 0x7F, 0xFF, 0xFF}));

  TPictureCollection c;
  c.add().setName("A");
  const auto bytes = c.saveToStream();
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.find("SkipWidth"), std::string::npos);
  EXPECT_EQ(text.find("SkipHeight"), std::string::npos);
  EXPECT_EQ(text.substr(0, 5), std::string("TPF0\x1B", 5));
  EXPECT_NE(text.find("TPictureCollectionComponent"), std::string::npos);
}

TEST(ComponentStream, ReaderAcceptsPrefixOrderIndexAndColourIdentifiers) {
  // Flags byte with a child position, an order index before an item, "clFuchsia" for the key.
  std::vector<uint8_t> bytes = {'T', 'P', 'F', '0', 0xF2, 2, 5};
  TComponentWriter w;
  w.writePropertyName("X");  // class name
  w.writePropertyName("");   // object name
  w.writePropertyName("List");
  w.beginCollection();
  w.writeInteger(3);
  w.beginItem();
  w.writePropertyName("Name");
  w.writeString("Key");
  w.writePropertyName("TransparentColor");
  w.writeIdent("clFuchsia");
  w.endItem();
  w.beginItem();
  w.writePropertyName("TransparentColor");
  w.writeInteger(16711935);
  w.endItem();
  w.endCollection();
  w.endProperties();
  w.endChildren();
  bytes.insert(bytes.end(), w.bytes().begin(), w.bytes().end());

  TPictureCollection c;
  c.loadFromStream(bytes);
  ASSERT_EQ(c.count(), 2);
  EXPECT_EQ(c.item(0).transparentColor(), 0xFF00FFu);
  EXPECT_EQ(c.item(0).transparentColor(), c.item(1).transparentColor());
  EXPECT_EQ(c.find("KEY").Name, "Key");
}

TEST(ComponentStream, MalformedArchivesGiveTheirMessages) {
  EXPECT_EQ(loadError({'T', 'P', 'F', '1', 0, 0}), "Invalid stream format");
  EXPECT_EQ(loadError({'T', 'P'}), "Invalid stream format");
  EXPECT_EQ(loadError({'T', 'P', 'F', '0', 5, 'A'}), "Stream read error");

  EXPECT_EQ(loadError(oneItemArchive([](TComponentWriter& w) {
              w.writePropertyName("Colour");
              w.writeInteger(1);
            })),
            "Error reading Colour: Property does not exist");
  EXPECT_EQ(loadError(oneItemArchive([](TComponentWriter& w) {
              w.writePropertyName("PatternWidth");
              w.writeString("16");
            })),
            "Error reading PatternWidth: Invalid property value");
  EXPECT_EQ(loadError(oneItemArchive([](TComponentWriter& w) {
              w.writePropertyName("Transparent");
              w.writeInteger(1);
            })),
            "Error reading Transparent: Invalid property value");
  EXPECT_EQ(loadError(oneItemArchive([](TComponentWriter& w) {
              w.writePropertyName("TransparentColor");
              w.writeIdent("clNoSuchColour");
            })),
            "Error reading TransparentColor: Invalid property value");
  EXPECT_EQ(loadError(oneItemArchive([](TComponentWriter& w) {
              w.writePropertyName("Picture.Data");
              w.writeInteger(1);
            })),
            "Error reading Picture.Data: Invalid property value");

  TComponentWriter top;
  top.writeHeader("TPictureCollectionComponent");
  top.writePropertyName("Items");
  top.writeInteger(0);
  EXPECT_EQ(loadError(top.take()), "Error reading Items: Property does not exist");

  // A tag outside the table cannot be skipped, so it is an invalid value rather than a guess.
  auto badTag = oneItemArchive([](TComponentWriter& w) { w.writePropertyName("Name"); });
  badTag.insert(badTag.end() - 4, 5);
  EXPECT_EQ(loadError(badTag), "Error reading Name: Invalid property value");
}

TEST(ComponentStream, TruncationAnywhereIsAReadErrorAndKeepsEarlierItems) {
  TPictureCollection source;
  for (int i = 0; i < 3; ++i) {
    auto& item = source.add();
    item.setName("P" + std::to_string(i));
    item.setPicture(gradient(4, 4, i));
  }
  const auto full = source.saveToStream();
  for (size_t cut = 5; cut < full.size(); ++cut) {
    std::vector<uint8_t> part(full.begin(), full.begin() + cut);
    TPictureCollection c;
    const std::string error = loadError(part, &c);
    EXPECT_FALSE(error.empty()) << cut;
    EXPECT_LE(c.count(), 3);
  }
  // Cut inside the third item's picture: the first two are kept as read.
  TPictureCollection c;
  std::vector<uint8_t> part(full.begin(), full.end() - 80);
  EXPECT_EQ(loadError(part, &c), "Stream read error");
  EXPECT_EQ(c.count(), 3);
  EXPECT_EQ(c.item(1).picture().pixels(), source.item(1).picture().pixels());
  EXPECT_TRUE(c.item(2).picture().empty());
}

TEST(ComponentStream, LengthsBeyondTheDataAndDeepNestingAreRefused) {
  auto huge = oneItemArchive([](TComponentWriter& w) {
    w.writePropertyName("Picture.Data");
    w.writeBinary(std::vector<uint8_t>(8, 0));
  });
  // Claim four gigabytes for the block.
  const size_t at = std::string(huge.begin(), huge.end()).find("Picture.Data") + 13;
  huge[at] = 0xFF, huge[at + 1] = 0xFF, huge[at + 2] = 0xFF, huge[at + 3] = 0xFF;
  EXPECT_EQ(loadError(huge), "Stream read error");

  auto nested = oneItemArchive([](TComponentWriter& w) { w.writePropertyName("Name"); });
  nested.insert(nested.end() - 4, 100, 0);
  nested.insert(nested.end() - 104, 100, 1);  // lists within lists
  EXPECT_EQ(loadError(nested), "Error reading Name: Invalid property value");
}

TEST(ComponentStream, ReaderIsGenericForOtherCollections) {
  // The sound archive uses the same container with other property names.
  TComponentWriter w;
  w.writeHeader("TWaveCollectionComponent");
  w.writePropertyName("List");
  w.beginCollection();
  w.beginItem();
  w.writePropertyName("Name");
  w.writeString("Shot");
  w.writePropertyName("Looped");
  w.writeBoolean(true);
  w.writePropertyName("MaxPlayingCount");
  w.writeInteger(4);
  w.writePropertyName("Wave.WAVE");
  w.writeBinary(std::vector<uint8_t>{'R', 'I', 'F', 'F'});
  w.endItem();
  w.endCollection();
  w.endProperties();
  w.endChildren();
  const auto bytes = w.take();

  TComponentReader r(bytes);
  r.readHeader();
  EXPECT_EQ(r.className(), "TWaveCollectionComponent");
  int items = 0;
  std::vector<std::string> seen;
  r.readProperties([&](const std::string& name) {
    ASSERT_EQ(name, "List");
    r.readCollection([&] { ++items; },
                     [&](const std::string& property, const TStreamValue& v) {
                       seen.push_back(property);
                       if (property == "Wave.WAVE") {
                         EXPECT_EQ(v.bytes.size(), 4u);
                       }
                       if (property == "MaxPlayingCount") {
                         EXPECT_EQ(v.intValue, 4);
                       }
                     });
  });
  EXPECT_EQ(items, 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"Name", "Looped", "MaxPlayingCount", "Wave.WAVE"}));
  EXPECT_EQ(r.remaining(), 0u);
}

}  // namespace
}  // namespace mv
