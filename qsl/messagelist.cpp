#include "qsl/messagelist.h"

#include <algorithm>

#include "app/itemfile.h"

namespace messagelist {

namespace {

const QString Separator = QStringLiteral("---");
const QString LineBreak = QStringLiteral("\r\n");

// The first dash of the nearest separator before the caret, or -1. Its three dashes may reach one
// character past the caret, so that a caret after the first dash of a line of dashes still counts
// as below it; of a longer run of dashes, the last three are found.
qsizetype separatorAbove(const QString& list, qsizetype caret) {
  const qsizetype lastStart = caret - Separator.size() + 1;
  return lastStart < 0 ? -1 : list.lastIndexOf(Separator, lastStart);
}

}  // namespace

QString pickMessage(const QString& list, qsizetype caret) {
  const qsizetype separator = separatorAbove(list, std::clamp<qsizetype>(caret, 0, list.size()));
  const qsizetype begin = separator < 0 ? 0 : separator + 1;
  qsizetype end = list.indexOf(Separator, begin);
  if (end < 0) end = list.size();
  QStringView message = QStringView(list).sliced(begin, end - begin);
  if (separator >= 0) {
    // What is left of the separator: its last two dashes and its line break.
    message = message.sliced(std::min<qsizetype>(Separator.size() - 1, message.size()));
    if (message.startsWith(LineBreak)) message = message.sliced(LineBreak.size());
  }
  if (message.endsWith(LineBreak)) message.chop(LineBreak.size());
  return message.toString();
}

QString readMessagesFile(const QByteArray& bytes) { return quotedSpan(decodeFileText(bytes)).body.toString(); }

QByteArray messagesFileBytes(const QString& list) {
  ItemWriter writer;
  writer.quoted(list, true);
  return writer.bytes();
}

}  // namespace messagelist
