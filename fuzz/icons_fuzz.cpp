// The icons of a program file on any bytes: every icon found is drawn at its fixed size, or not
// at all.
#include <cstddef>
#include <cstdint>

#include "platform/exeicons.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const platform::ExeIcons icons =
      platform::ExeIcons::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  // The program draws one icon at a time; a handful per input keeps the fuzzer moving.
  constexpr int DrawnPerInput = 16;
  for (int i = 0; i < icons.count() && i < DrawnPerInput; ++i) {
    const QImage drawn = icons.icon(i, 0x336699);
    if (!drawn.isNull() && drawn.size() != QSize(platform::ExeIcons::DrawnSide, platform::ExeIcons::DrawnSide))
      __builtin_trap();
  }
  if (!icons.icon(icons.count(), 0).isNull() || !icons.icon(-1, 0).isNull()) __builtin_trap();
  return 0;
}
