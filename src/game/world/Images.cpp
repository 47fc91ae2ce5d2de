#include "game/world/Images.h"

#include "engine/draw/DXImageList.h"
#include "game/Globals.h"
#include "platform/Error.h"

namespace mv {
namespace {

TPictureCollectionItem& findIn(TDXImageList* list, const std::string& name) {
  if (!list) throw Error(format("Image '%s' not found", name.c_str()));
  return list->Items.find(name);
}

}  // namespace

TPictureCollectionItem& gameImage(const std::string& name) {
  return findIn(globals().imageList, name);
}

TPictureCollectionItem& modelImage(const std::string& name) {
  return findIn(globals().modelList, name);
}

}  // namespace mv
