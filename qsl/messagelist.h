#pragma once

#include <QString>

namespace messagelist {

// The message of the messages list `list` around the caret (`caret` characters before it).
// Messages are separated by runs of three or more "-"; the message runs from the nearest
// separator before the caret (or from the list's start when there is none) to the next one
// (or the list's end), without the separator's line break and without one CR LF at its end.
// Inner line breaks stay.
QString pickMessage(const QString& list, qsizetype caret);

}  // namespace messagelist
