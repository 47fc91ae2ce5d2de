#pragma once
// Looking up the game's pictures by name, as every effect and pick-up does when it is set up.

#include <string>

namespace mv {

class TPictureCollectionItem;

// An entry of the image list or of the model list; "Image '<name>' not found" when there is none.
TPictureCollectionItem& gameImage(const std::string& name);
TPictureCollectionItem& modelImage(const std::string& name);

}  // namespace mv
