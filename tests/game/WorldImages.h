#pragma once
// Image lists with plain generated pictures for the world's tests: no display, no archive files.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/draw/DXImageList.h"
#include "engine/archive/Picture.h"

namespace mv {

// Adds an item of `patterns` patterns of w x h side by side, each pattern filled with its own colour.
inline TPictureCollectionItem& addTestImage(TDXImageList& list, const std::string& name, int w, int h,
                                            int patterns = 1) {
  std::vector<uint32_t> rgb(static_cast<size_t>(w * patterns * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * patterns; ++x)
      rgb[static_cast<size_t>(y * w * patterns + x)] = 0x102030u * static_cast<uint32_t>(1 + x / w);
  TPictureCollectionItem& item = list.Items.add();
  item.setName(name);
  item.PatternWidth = w;
  item.PatternHeight = h;
  item.setPicture(TPicture(w * patterns, h, std::move(rgb)));
  return item;
}

}  // namespace mv
