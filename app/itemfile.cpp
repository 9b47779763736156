#include "app/itemfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

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
  // A text that reads as a number comes back as one, so it goes out as one.
  const Variant v = value.isNumber() ? value : Variant::fromText(value.toString());
  if (v.isNumber()) {
    line((v.number < 0 ? QString() : QStringLiteral(" ")) + numberText(v.number) + QLatin1Char(' '));
    return;
  }
  // A bare text ends at a comma or a line end and must not begin a quoted item.
  QString t = v.toString();
  for (QChar& c : t)
    if (c == QLatin1Char(',') || c == QLatin1Char('"') || isLineEnd(c)) c = QLatin1Char(' ');
  line(t.trimmed());
}

void ItemWriter::bareNoBlanks(const Variant& value) {
  const Variant v = value.isNumber() ? value : Variant::fromText(value.toString());
  if (v.isNumber())
    line(numberText(v.number));
  else
    bare(v);
}

void ItemWriter::asTyped(const QString& text) { line(text); }

void ItemWriter::line(const QString& content) { bytes_ += encodeFileText(content) + "\r\n"; }

QString decodeFileText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  const QString text = utf8(bytes);
  return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QByteArray encodeFileText(const QString& text) { return text.toUtf8(); }

std::optional<QByteArray> readWholeFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  return f.readAll();
}

bool writeWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  if (f.write(bytes) != bytes.size()) {
    f.cancelWriting();
    return false;
  }
  return f.commit();
}
