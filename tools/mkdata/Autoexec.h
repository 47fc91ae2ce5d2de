#pragma once
#include <string>

namespace mv {

// Writes gameDir/SYSTEM/autoexec.cfg (Windows-1251, CR LF): the players' names, keys and settings,
// run at the start of every match.
void writeAutoexec(const std::string& gameDir);

// The script's text as UTF-8, before conversion.
std::string autoexecText();

}  // namespace mv
