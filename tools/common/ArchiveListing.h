#pragma once
// What is in an archive, for people: a listing with one line per item, and a contact sheet picture
// with every picture, its patterns outlined and its name written above it.

#include <cstdint>
#include <span>
#include <string>

#include "common/ArchiveModel.h"
#include "engine/archive/Picture.h"

namespace mv::tools {

// One line per item; pattern counts are the game's own (patternCountOf).
std::string listArchive(const Archive& archive);

// Whether the game's own readers take the archive, and as what: "the game reads it as an image
// archive of N items", "... a sound archive ...", or "the game refuses it: " with both readers' messages.
std::string gameReading(std::span<const uint8_t> data);

// Throws mv::Error when the archive holds no picture.
TPicture contactSheet(const Archive& archive);

}  // namespace mv::tools
