#include "qsl/logsearch.h"

#include <QStringList>
#include <algorithm>

#include "qsl/logbook.h"
#include "qsl/textfind.h"

namespace logbook {

namespace {

const QString Header = QStringLiteral("Matches for:-    ");
const QString Gap = QStringLiteral("\r\n\r\n");
const QString NoMatches = QStringLiteral("  ---no matches found---");
const QString NoMore = QStringLiteral("  ---no more matches---");
const QString BoxFull = QStringLiteral("---Text box full. List to big to show more---");
constexpr int MaxWords = 5;
constexpr int MinFirstWord = 2;
constexpr qsizetype MaxListSize = 30000;

// The typed words in capitals, the longest (the first of that length) first: the log is scanned
// for it, and the others only test the records it finds.
QStringList searchWords(const QString& typed) {
  QStringList words = upperCopy(typed).split(u',');
  if (words.size() > MaxWords) words.resize(MaxWords);
  const auto longest = std::max_element(words.begin(), words.end(),
                                        [](const QString& a, const QString& b) { return a.size() < b.size(); });
  std::iter_swap(words.begin(), longest);
  return words;
}

bool holdsAll(QStringView record, const QStringList& words) {
  return std::all_of(words.begin() + 1, words.end(), [record](const QString& w) { return findText(record, w) >= 0; });
}

}  // namespace

QString wildcardList(const QString& log, const QString& logupper, const QString& typed) {
  QString list = Header + typed;
  const QStringList words = searchWords(typed);
  bool listed = false;
  if (words.front().size() >= MinFirstWord) {
    qsizetype hit = 0;
    while ((hit = findText(logupper, words.front(), hit)) >= 0) {
      const qsizetype start = recordStart(logupper, hit);
      const qsizetype end = recordEnd(logupper, hit + words.front().size());
      if (holdsAll(QStringView(logupper).sliced(start, end - start), words)) {
        list += Gap;
        list += QStringView(log).sliced(start, end - start);
        listed = true;
        if (list.size() > MaxListSize) return list + Gap + BoxFull;
      }
      hit = end;  // each record once, however often it holds the word
    }
  }
  return list + Gap + (listed ? NoMore : NoMatches);
}

}  // namespace logbook
