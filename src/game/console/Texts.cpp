#include "game/console/Texts.h"

#include <array>

#include "platform/Cp1251.h"

namespace mv {
namespace {

constexpr std::array<const char*, static_cast<size_t>(ConsoleText::Count)> kUtf8 = {
    "Неизвестная команда.",
    "Неверный формат.",
    "Неверное значение.",
    "exec [имя файла]",
    "echo [фраза]",
    "screenmode [значение] (0-640x480,1-800x600,2-1024x768)",
    "dump [имя файла]",
    "bind [клавиша] \"[команда]\"",
    "Загрузка ",
    "\" (строка)",
    "\" (0-мышь,1-джойстик,2-клавиатура)",
    "Скрипт ",
    " не запущен: скрипты вложены больше 8 раз, остальные строки пропущены.",
    "Папка игры только для чтения: autoexec.cfg и настройки хранятся в ",
    "Рабочая папка только для чтения: снимки экрана, дампы и записи сохраняются в ",
    "\" (0-чёткий,1-ближайший,2-кратный)",
    "setupchoice [поле] [значение]",
};

}  // namespace

const std::string& consoleText(ConsoleText which) {
  static const std::vector<std::string> texts = utf8ToCp1251(kUtf8);
  return texts[static_cast<size_t>(which)];
}

}  // namespace mv
