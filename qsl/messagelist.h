#pragma once

#include <QByteArray>
#include <QString>

namespace messagelist {

// The message of the messages list `list` around the caret (`caret` characters before it).
// Messages are separated by runs of three or more "-"; the message runs from the nearest
// separator before the caret (or from the list's start when there is none) to the next one
// (or the list's end), without the separator's line break and without one CR LF at its end.
// Inner line breaks stay.
QString pickMessage(const QString& list, qsizetype caret);

// The list read from the bytes of "messages": the text between the first and the last double
// quote, so that quotes left inside it, as Windows wrote it or by a hand edit, lose nothing, or
// the whole file when it has none. Line breaks stay as they are.
QString readMessagesFile(const QByteArray& bytes);

// The bytes of "messages" for `list`: one quoted item, its double quotes turned into single ones
// so that it reads back as written.
QByteArray messagesFileBytes(const QString& list);

}  // namespace messagelist
