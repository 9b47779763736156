#pragma once

#include <QString>

namespace logbook {

// The text the wildcard search shows in the main text box for `typed`, the callsign box's text:
// up to five comma-separated words (blanks kept, a sixth ignored), all of which a record must
// hold, case-blind. The whole log is searched and every matching record is listed once, whole,
// as written, after "Matches for:-    " and `typed`. The list ends with "  ---no matches found---"
// or "  ---no more matches---", or stops with the "Text box full" line once it passes 30000
// characters. A longest word under two characters lists nothing.
// `logupper` must be upperCopy(log).
QString wildcardList(const QString& log, const QString& logupper, const QString& typed);

}  // namespace logbook
