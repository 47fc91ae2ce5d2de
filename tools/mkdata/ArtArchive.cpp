#include "ArtArchive.h"

#include "ArtOutput.h"
#include "Pictures.h"
#include "engine/archive/PictureCollection.h"

namespace mv::art {

std::vector<uint8_t> archiveBytes(const std::vector<ArtItem>& items) {
  TPictureCollection collection;
  for (const ArtItem& art : items) {
    TPictureCollectionItem& item = collection.add();
    item.setName(art.name);
    item.PatternWidth = art.patternWidth;
    item.PatternHeight = art.patternHeight;
    item.Transparent = art.transparent;
    item.setTransparentColor(kKeyColor);
    // A JPEG block keeps its compressed bytes; everything else is stored as a 24-bit bitmap.
    item.setPicture(art.jpeg ? decodeJpeg(encodeJpeg(toPicture(art.picture, false), 88))
                             : toPicture(art.picture, art.transparent));
  }
  return collection.saveToStream();
}

void writeGraphics(const std::string& gameDir) {
  writeIfChanged(gameDir + "/SYSTEM/graphics.dat", archiveBytes(graphicsItems()));
}

void writeModels(const std::string& gameDir) {
  writeIfChanged(gameDir + "/SYSTEM/models.dat", archiveBytes(modelItems()));
}

}  // namespace mv::art
