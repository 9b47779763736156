// The call log: whatever "logdata" holds, the log read is in the log's own form and survives a
// write and a read unchanged; a station saved in it is found with its line, deleting it takes
// exactly its record, and the wildcard search of it lists within its frame. The first line of
// the input is what the operator types, the rest the file.
#include <cstddef>
#include <cstdint>

#include "qsl/logbook.h"
#include "qsl/logsearch.h"

using namespace logbook;

namespace {

const QString LineBreak = QStringLiteral("\r\n");

// Records of CR LF and a line with a blank after the callsign, no control character and no
// double quote.
bool inOwnForm(const QString& log) {
  const QStringList lines = log.split(LineBreak);
  if (!lines.front().isEmpty()) return false;
  for (qsizetype k = 1; k < lines.size(); ++k) {
    const QString& record = lines[k];
    if (record.trimmed().isEmpty() || !record.contains(u' ')) return false;
    for (QChar c : record)
      if (c.unicode() < 32 || c.unicode() == 127 || c == u'"') return false;
  }
  return true;
}

bool editsKeepTheirWord(const QString& log, const QString& call) {
  const QString info = QStringLiteral("op Fred");
  const Saved saved = savedLog(log, upperCopy(log), call, info);
  const QString savedUpper = upperCopy(saved.log);
  const Lookup found = lookUp(saved.log, savedUpper, call);
  if (found.found != Found::Record || found.info != info) return false;
  const QString deleted = deletedLog(saved.log, savedUpper, call);
  if (deleted.size() != saved.log.size() - (LineBreak.size() + call.size() + 1 + info.size())) return false;
  return saved.replaced || deleted == log;
}

bool searchListsInItsFrame(const QString& log, const QString& typed) {
  const QString list = wildcardList(log, upperCopy(log), typed);
  if (!list.startsWith(QStringLiteral("Matches for:-    ") + typed)) return false;
  for (const char* end : {"  ---no matches found---", "  ---no more matches---", "---Text box full. List to big to show more---"})
    if (list.endsWith(LineBreak + LineBreak + QLatin1String(end))) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  const qsizetype firstLine = input.indexOf('\n');
  const QString typed = firstLine < 0 ? QString() : QString::fromUtf8(input.first(firstLine));
  const LogFile file = readLogFile(firstLine < 0 ? input : input.sliced(firstLine + 1));
  if (!inOwnForm(file.log)) __builtin_trap();
  const LogFile back = readLogFile(logFileBytes(file.log));
  if (back.log != file.log || back.repaired) __builtin_trap();
  if (!typed.isEmpty() && !editsKeepTheirWord(file.log, typed)) __builtin_trap();
  if (!searchListsInItsFrame(file.log, typed)) __builtin_trap();
  return 0;
}
