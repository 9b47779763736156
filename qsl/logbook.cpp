#include "qsl/logbook.h"

#include <QSet>

#include "app/itemfile.h"
#include "qsl/textfind.h"

namespace logbook {

namespace {

const QString LineBreak = QStringLiteral("\r\n");
constexpr QChar Quote = u'"';
constexpr QChar Blank = u' ';

bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }
bool isControl(QChar c) { return c.unicode() < 32 || c.unicode() == 127; }

// One line of the file as a record: cleaned, and with the blank that ends its callsign.
void appendRecord(QString& log, QStringView line) {
  const QString record = cleanRecordText(line.toString());
  if (record.trimmed().isEmpty()) return;
  log += LineBreak;
  log += record;
  if (!record.contains(Blank)) log += Blank;
}

// The records of the text between the quotes, whatever line breaks end them.
QString recordsOf(QStringView body) {
  QString log;
  log.reserve(body.size() + LineBreak.size());
  qsizetype i = 0;
  while (i < body.size()) {
    while (i < body.size() && isLineBreak(body[i])) ++i;
    const qsizetype start = i;
    while (i < body.size() && !isLineBreak(body[i])) ++i;
    if (i > start) appendRecord(log, body.sliced(start, i - start));
  }
  return log;
}

// The records of the whole file: those between the first and the last double quote, and those
// a hand edit left before the first or after the last. Without a quote every line is read as a
// record, though such a file counts as lost.
QString recordsOfFile(QStringView text) {
  const QuotedSpan span = quotedSpan(text);
  return recordsOf(span.before) + recordsOf(span.body) + recordsOf(span.after);
}

// The file as Marvane writes it, apart from line breaks after the closing quote.
bool isOwnForm(QStringView text, const QString& log) {
  while (!text.isEmpty() && isLineBreak(text.back())) text.chop(1);
  if (text.isEmpty()) return log.isEmpty();
  return text.size() == log.size() + 2 && text.front() == Quote && text.back() == Quote &&
         text.sliced(1, log.size()) == log;
}

struct Span {
  qsizetype start = -1;  // the callsign's first letter
  qsizetype end = -1;    // the line break after the information, or the log's end
  bool found() const { return start >= 0; }
};

// A callsign as it would stand in the log, in capitals; as long as the callsign itself.
QString keyOf(const QString& callsign) { return upperCopy(cleanRecordText(callsign)); }

// The record whose callsign is `key`.
Span findRecord(const QString& logupper, const QString& key) {
  if (key.isEmpty()) return {};
  const qsizetype at = findText(logupper, LineBreak + key + Blank);
  if (at < 0) return {};
  const qsizetype start = at + LineBreak.size();
  return {start, recordEnd(logupper, start + key.size())};
}

// `log` with the characters from `from` up to `to` replaced by `insert`.
QString spliced(const QString& log, qsizetype from, qsizetype to, const QString& insert) {
  QString result;
  result.reserve(log.size() - (to - from) + insert.size());
  result += QStringView(log).first(from);
  result += insert;
  result += QStringView(log).sliced(to);
  return result;
}

// The callsigns of a log's records, in capitals.
QSet<QString> callsignsOf(const QString& log) {
  QSet<QString> calls;
  for (QStringView record : QStringView(log).split(LineBreak, Qt::SkipEmptyParts)) {
    const qsizetype blank = record.indexOf(Blank);
    calls.insert(upperCopy(record.first(blank < 0 ? record.size() : blank).toString()));
  }
  return calls;
}

}  // namespace

LogFile readLogFile(const QByteArray& bytes) {
  bool mixed = false;
  const QString text = decodeFileText(bytes, &mixed);
  LogFile file;
  file.log = recordsOfFile(text);
  file.repaired = mixed || !isOwnForm(text, file.log);
  file.lost = !text.contains(Quote) || (file.log.isEmpty() && !text.contains(QStringLiteral("\"\"")));
  return file;
}

QByteArray logFileBytes(const QString& log) { return encodeFileText(Quote + log + Quote + LineBreak); }

QString cleanRecordText(const QString& text) {
  QString clean = text;
  for (QChar& c : clean) {
    if (c == Quote)
      c = u'\'';
    else if (isControl(c))
      c = Blank;
  }
  return clean;
}

qsizetype recordStart(const QString& log, qsizetype at) {
  while (at > 0 && !isControl(log[at - 1])) --at;
  return at;
}

qsizetype recordEnd(const QString& log, qsizetype at) {
  while (at < log.size() && !isControl(log[at])) ++at;
  return at;
}

QString upperCopy(const QString& text) {
  QString upper = text;
  char16_t* c = reinterpret_cast<char16_t*>(upper.data());
  for (const char16_t* end = c + upper.size(); c != end; ++c) {
    // The log is nearly all ASCII, which needs no Unicode tables and no branch.
    if (*c < 0x80) [[likely]] {
      *c -= char16_t(unsigned(*c - u'a') < 26u) * (u'a' - u'A');
    } else if (const char32_t up = QChar::toUpper(char32_t(*c)); up <= 0xFFFF) {
      *c = char16_t(up);
    }
  }
  return upper;
}

Lookup lookUp(const QString& log, const QString& logupper, const QString& typed) {
  const QString key = keyOf(typed);
  if (key.isEmpty()) return {};
  if (const Span span = findRecord(logupper, key); span.found()) {
    const qsizetype info = span.start + key.size() + 1;
    return {Found::Record, log.mid(info, span.end - info)};
  }
  // The cheap test first: a callsign that is nowhere in the log costs one more scan, not two.
  if (findText(logupper, key) < 0) return {};
  if (findText(logupper, LineBreak + key) >= 0) return {Found::StartOfLonger, {}};
  return {Found::InsideText, {}};
}

Saved savedLog(const QString& log, const QString& logupper, const QString& callsign, const QString& info) {
  const QString call = keyOf(callsign);
  const QString record = call + Blank + cleanRecordText(info);
  const Span span = findRecord(logupper, call);
  if (!span.found()) return {LineBreak + record + log, false};
  return {spliced(log, span.start, span.end, record), true};
}

QString deletedLog(const QString& log, const QString& logupper, const QString& callsign) {
  const Span span = findRecord(logupper, keyOf(callsign));
  if (!span.found()) return log;
  return spliced(log, span.start - LineBreak.size(), span.end, QString());
}

bool holdsEveryStation(const QString& log, const QString& other) { return callsignsOf(log).contains(callsignsOf(other)); }

QStringList mugshotFiles(const QString& callsign, const QStringList& directoryEntries) {
  static const QStringList extensions = {
      QStringLiteral(".bmp"), QStringLiteral(".gif"), QStringLiteral(".jpg"), QStringLiteral(".png"),
      QStringLiteral(".tif"), QStringLiteral(".pcx"), QStringLiteral(".dib"), QStringLiteral(".tga")};
  QStringList files;
  if (callsign.isEmpty() || callsign.contains(u'/') || callsign.contains(u'\\') ||
      callsign.contains(QStringLiteral("..")))
    return files;
  for (const QString& extension : extensions) {
    const QString name = callsign + extension;
    for (const QString& entry : directoryEntries)
      if (entry.compare(name, Qt::CaseInsensitive) == 0) files += entry;
  }
  return files;
}

}  // namespace logbook
