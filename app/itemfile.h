#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "app/variant.h"

// The two item forms of the program's text files ("restore", "messages", "logdata"):
//  - quoted: a double quote, the text, a double quote; the text may span lines;
//  - bare: a number with a blank before (when not negative) and after it, or a text as it stands,
//    or nothing at all.
// Items are separated by line ends (CR LF) or commas. Numbers always use the C locale.

struct Item {
  QString text;
  bool quoted = false;
};

// Reads items one after the other, from files written by Marvane or on Windows alike.
class ItemReader {
 public:
  explicit ItemReader(const QByteArray& bytes);
  // The next item, or nothing when the file has ended.
  std::optional<Item> next();

 private:
  void skipSeparator();
  QString text_;
  qsizetype pos_ = 0;
};

// Builds a file item by item.
class ItemWriter {
 public:
  // A quoted item. Characters that would end it early are replaced: a double quote by a single
  // one and, unless `keepLineBreaks`, CR and LF by blanks, so that one item stays one line.
  void quoted(const QString& text, bool keepLineBreaks = false);
  // A bare item: a number in its blanks, a text without quotes, or an empty line.
  void bare(const Variant& value);
  // A bare item without the blanks around a number.
  void bareNoBlanks(const Variant& value);
  // A bare item written as it stands; the caller makes sure it holds no separator.
  void asTyped(const QString& text);
  const QByteArray& bytes() const { return bytes_; }

 private:
  void line(const QString& content);
  QByteArray bytes_;
};

// A file that is one quoted item whose text may hold double quotes of its own (one written on
// Windows holds them unchanged, and a hand edit may add some): the text between the first and the
// last double quote, or all after a lone one, and what stands before and after it. Without a
// quote, all the text is the body.
struct QuotedSpan {
  QStringView before, body, after;
};
QuotedSpan quotedSpan(QStringView text);

// The files are 8-bit text: every valid UTF-8 sequence reads as UTF-8 and every other byte as its
// character in Windows-1252 (curly quotes, dashes, the euro sign), so that a file written on
// Windows in its code page still reads back and a stray byte in a UTF-8 file damages no character
// but itself. `mixed`, when given, tells whether the bytes hold both UTF-8 sequences and bytes
// that are none: a file written in UTF-8 and damaged since. A file as Windows wrote it, in its
// code page throughout, is not mixed.
QString decodeFileText(const QByteArray& bytes, bool* mixed = nullptr);
QByteArray encodeFileText(const QString& text);
