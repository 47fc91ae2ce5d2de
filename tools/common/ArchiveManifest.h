#pragma once
// Unpacking an archive into a folder of ordinary files and packing it back. The folder holds
// "manifest.txt", one line per property with its stored tag, and a file per picture (BMP) or wave
// (WAV). A picture keeps its original block beside the BMP, and packing uses that block again while
// the BMP still shows the same pixels, so an untouched folder packs to the very same bytes; an edited
// BMP is stored as a 24-bit device-independent bitmap.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mv::tools {

constexpr const char* kManifestName = "manifest.txt";

// Writes the folder (created if needed) and returns warnings for the user, for example when the
// archive holds something the folder cannot bring back byte for byte.
std::vector<std::string> extractArchive(std::span<const uint8_t> data, const std::string& dir);

// Throws mv::Error naming the manifest line for anything it cannot read.
std::vector<uint8_t> packArchive(const std::string& dir);

// Quoting used in manifests: printable ASCII as it is, every other byte and the quote and backslash
// as \xHH.
std::string quoteManifestText(const std::string& text);
std::string unquoteManifestText(const std::string& quoted);  // without the surrounding quotes

}  // namespace mv::tools
