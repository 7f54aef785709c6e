// Any bytes as the settings file: what is read stays the same after a write of other keys.
#include "app/ini_file.h"
#include "fuzz_support.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<const char*, const char*>, 8> kKeys = {{{"Path", "BookDir"},
                                                                   {"Color", "Paper"},
                                                                   {"Parameters", "PileFontName"},
                                                                   {"Parameters", "WindowCaption"},
                                                                   {"Startup", "Book"},
                                                                   {"Position", "Width"},
                                                                   {"Mine", "Name"},
                                                                   {"a", "b"}}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = WriteInput("vopamemo.ini", data, size);
  TIniFile ini(path);
  Require(ini.ReadFailure().isEmpty(), "a regular file is read");
  QStringList before;
  QList<qint64> numbers;
  for (const auto& [section, key] : kKeys) {
    before.append(ini.ReadString(section, key, QStringLiteral("-")));
    numbers.append(ini.ReadInteger(section, key, -1));
  }
  // Text that code page 932 cannot hold moves the whole file to UTF-8.
  const QString written = size % 2 ? QStringLiteral("値") : QStringLiteral("値\U0001F600");
  ini.WriteString(QStringLiteral("Fuzz"), QStringLiteral("Written"), written);
  ini.UpdateFile();

  TIniFile again(path);
  Require(again.ReadString(QStringLiteral("Fuzz"), QStringLiteral("Written"), QString()) == written,
          "the written key reads back");
  for (size_t i = 0; i < kKeys.size(); ++i) {
    const auto& [section, key] = kKeys[i];
    if (QLatin1String(section) == QLatin1String("Fuzz")) continue;
    Require(again.ReadString(section, key, QStringLiteral("-")) == before[qsizetype(i)],
            "untouched keys keep their text");
    Require(again.ReadInteger(section, key, -1) == numbers[qsizetype(i)], "untouched keys keep their number");
  }
  return 0;
}
