#pragma once
// The console's Russian texts, as the player reads them: Windows-1251 bytes, converted once from the
// readable literals in Texts.cpp.

#include <string>

namespace mv {

enum class ConsoleText {
  UnknownCommand,    // "Неизвестная команда."
  BadFormat,         // "Неверный формат."
  BadValue,          // "Неверное значение."
  UsageExec,         // "exec [имя файла]"
  UsageEcho,         // "echo [фраза]"
  UsageScreenmode,   // "screenmode [значение] (0-640x480,1-800x600,2-1024x768)"
  UsageDump,         // "dump [имя файла]"
  UsageBind,         // bind [клавиша] "[команда]"
  Loading,           // "Загрузка " (an exec'd script's name and "..." follow)
  RangeString,       // `" (строка)`, the close of the name query
  RangeLookType,     // `" (0-мышь,1-джойстик,2-клавиатура)`
  NestingGuard,      // "Скрипт " (the refused script's name and NestingGuardEnd follow)
  NestingGuardEnd,   // past the nesting limit of exec
  ConfigFolder,      // where an installed game keeps autoexec.cfg and the settings (the folder follows)
  OutputFolder,      // where screenshots, dumps and recordings go when the working folder is read-only
  RangeScaling,      // `" (0-чёткий,1-ближайший,2-кратный)`
  UsageSetupChoice,  // "setupchoice [поле] [значение]"
  Count
};

const std::string& consoleText(ConsoleText which);

}  // namespace mv
