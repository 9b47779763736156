#include "app/itemfile.h"

#include <QStringDecoder>

namespace {

bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// A value as the bare form can carry it: a number, or a text without the characters that would
// end it early (a comma or a line end become blanks) or make it a quoted item (a double quote
// becomes a single one, as in the quoted form), and without surrounding blanks. A text that then
// reads as a number comes back as one, so it goes out as one; a text read from a file never
// turns into a number this way.
Variant bareValue(const Variant& value) {
  if (value.isNumber()) return value;
  QString t = value.toString();
  t.replace(QLatin1Char('"'), QLatin1Char('\''));
  for (QChar& c : t)
    if (c == QLatin1Char(',') || isLineEnd(c)) c = QLatin1Char(' ');
  return Variant::fromText(t.trimmed());
}

}  // namespace

ItemReader::ItemReader(const QByteArray& bytes) : text_(decodeFileText(bytes)) {}

std::optional<Item> ItemReader::next() {
  while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
  if (pos_ >= text_.size()) return std::nullopt;
  Item item;
  if (text_[pos_] == QLatin1Char('"')) {
    const qsizetype close = text_.indexOf(QLatin1Char('"'), pos_ + 1);
    const qsizetype end = close < 0 ? text_.size() : close;
    item.text = text_.mid(pos_ + 1, end - pos_ - 1);
    item.quoted = true;
    pos_ = end + 1;
    // Whatever stands between the closing quote and the separator is passed over.
    while (pos_ < text_.size() && text_[pos_] != QLatin1Char(',') && !isLineEnd(text_[pos_])) ++pos_;
  } else {
    const qsizetype start = pos_;
    while (pos_ < text_.size() && text_[pos_] != QLatin1Char(',') && !isLineEnd(text_[pos_])) ++pos_;
    item.text = text_.mid(start, pos_ - start).trimmed();
  }
  skipSeparator();
  return item;
}

void ItemReader::skipSeparator() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == QLatin1Char(',')) {
    ++pos_;
    return;
  }
  if (text_[pos_] == QLatin1Char('\r')) ++pos_;
  if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\n')) ++pos_;
}

QuotedSpan quotedSpan(QStringView text) {
  const qsizetype first = text.indexOf(u'"');
  if (first < 0) return {{}, text, {}};
  const qsizetype last = text.lastIndexOf(u'"');
  if (last == first) return {text.first(first), text.sliced(first + 1), {}};
  return {text.first(first), text.sliced(first + 1, last - first - 1), text.sliced(last + 1)};
}

void ItemWriter::quoted(const QString& text, bool keepLineBreaks) {
  QString t = text;
  t.replace(QLatin1Char('"'), QLatin1Char('\''));
  if (!keepLineBreaks) {
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
  }
  line(QLatin1Char('"') + t + QLatin1Char('"'));
}

void ItemWriter::bare(const Variant& value) {
  const Variant v = bareValue(value);
  if (v.isNumber())
    line((v.number < 0 ? QString() : QStringLiteral(" ")) + numberText(v.number) + QLatin1Char(' '));
  else
    line(v.toString());
}

void ItemWriter::bareNoBlanks(const Variant& value) {
  const Variant v = bareValue(value);
  line(v.isNumber() ? numberText(v.number) : v.toString());
}

void ItemWriter::asTyped(const QString& text) { line(text); }

void ItemWriter::line(const QString& content) { bytes_ += encodeFileText(content) + "\r\n"; }

namespace {

// The well-formed UTF-8 sequences: lead bytes, length, and the bounds of the second byte, which
// shut out overlong forms, surrogates and code points beyond U+10FFFF.
struct Utf8Lead {
  unsigned char first, last;
  qsizetype length;
  unsigned char low, high;
};
constexpr Utf8Lead Utf8Leads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// The length of the well-formed UTF-8 sequence at `at`, or 0 when none starts there.
qsizetype utf8SequenceAt(QByteArrayView bytes, qsizetype at) {
  const auto byte = [&](qsizetype k) { return at + k < bytes.size() ? static_cast<unsigned char>(bytes[at + k]) : 0; };
  if (byte(0) < 0x80) return 1;
  for (const Utf8Lead& lead : Utf8Leads) {
    if (byte(0) < lead.first || byte(0) > lead.last) continue;
    if (byte(1) < lead.low || byte(1) > lead.high) return 0;
    for (qsizetype k = 2; k < lead.length; ++k)
      if ((byte(k) & 0xC0) != 0x80) return 0;
    return lead.length;
  }
  return 0;
}

// The characters Windows-1252, the code page of the files written on Windows, gives the bytes 0x80
// to 0x9F. The five bytes it leaves undefined keep their Latin-1 control characters, as Windows
// maps them, so that no byte is lost; every other byte above 0x7F is its Latin-1 character.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar windows1252(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? QChar(Windows1252High[byte - 0x80]) : QChar(byte);
}

}  // namespace

QString decodeFileText(const QByteArray& bytes, bool* mixed) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8(bytes);
  if (mixed) *mixed = false;
  if (!utf8.hasError()) return text;
  // A byte order mark is passed over at the start only, as the whole-file decoder does.
  QStringDecoder runs(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
  const QByteArrayView all(bytes);
  const auto decoded = [&](qsizetype from, qsizetype to) { return QString(runs(all.sliced(from, to - from))); };
  text.clear();
  text.reserve(bytes.size());
  qsizetype run = all.startsWith("\xEF\xBB\xBF") ? 3 : 0;  // where the valid UTF-8 not yet taken begins
  for (qsizetype at = run; at < all.size();) {
    if (const qsizetype length = utf8SequenceAt(all, at)) {
      if (mixed && length > 1) *mixed = true;
      at += length;
      continue;
    }
    text += decoded(run, at);
    text += windows1252(static_cast<unsigned char>(all[at]));
    run = ++at;
  }
  return text + decoded(run, all.size());
}

QByteArray encodeFileText(const QString& text) { return text.toUtf8(); }
