// The messages file: whatever it holds, the text the start-up reads goes out at exit as one
// quoted item that reads back the same, a double quote turned into an apostrophe.
#include <cstddef>
#include <cstdint>

#include "app/itemfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<Item> read = ItemReader(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))).next();
  const QString text = read ? read->text : QString();
  ItemWriter writer;
  writer.quoted(text, true);
  ItemReader back(writer.bytes());
  const std::optional<Item> again = back.next();
  if (!again || again->text != QString(text).replace(u'"', u'\'') || back.next()) __builtin_trap();
  return 0;
}
