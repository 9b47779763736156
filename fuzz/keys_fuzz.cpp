// The key notation of the SSTV programs' sequences: any string is either parsed or refused whole.
#include <cstddef>
#include <cstdint>

#include "platform/sendkeys.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString keys = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const platform::ParsedKeys parsed = platform::parseSendKeys(keys);
  if (!parsed.ok() && !parsed.strokes.isEmpty()) __builtin_trap();  // a refusal sends nothing
  return 0;
}
