// The messages file: whatever it holds, the text the start-up reads goes out at exit as one
// quoted item that reads back the same, a double quote turned into an apostrophe, and that file
// is written again byte for byte.
#include <cstddef>
#include <cstdint>

#include "qsl/messagelist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace messagelist;
  const QString text = readMessagesFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  const QByteArray written = messagesFileBytes(text);
  const QString again = readMessagesFile(written);
  if (again != QString(text).replace(u'"', u'\'') || messagesFileBytes(again) != written) __builtin_trap();
  return 0;
}
