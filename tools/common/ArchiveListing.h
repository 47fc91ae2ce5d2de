#pragma once
// What is in an archive, for people: a listing with one line per item, and a contact sheet picture
// with every picture, its patterns outlined and its name written above it.

#include <string>

#include "common/ArchiveModel.h"
#include "engine/archive/Picture.h"

namespace mv::tools {

// Pattern count of a picture as the archive's items compute it before any surface exists.
int archivePatternCount(int pictureWidth, int pictureHeight, int patternWidth, int patternHeight,
                        int skipWidth, int skipHeight);

std::string listArchive(const Archive& archive);

// Throws mv::Error when the archive holds no picture.
TPicture contactSheet(const Archive& archive);

}  // namespace mv::tools
