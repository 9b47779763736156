#include <gtest/gtest.h>

#include "platform/sendkeys.h"

using platform::parseSendKeys;

// Every key string the SSTV programs are sent (send and import sequences), then the other forms
// of the notation.
TEST(SendKeys, ProgramStringsAndNotationBecomeStrokes) {
  const struct { const char* keys; QStringList strokes; } cases[] = {
      {"%es", {"alt+e", "s"}}, {"%ep", {"alt+e", "p"}}, {"{enter}", {"Return"}}, {"{F4}", {"F4"}}, {"{tab}", {"Tab"}},
      {"^m^v", {"ctrl+m", "ctrl+v"}}, {"^m^c", {"ctrl+m", "ctrl+c"}}, {"^m", {"ctrl+m"}}, {"^v", {"ctrl+v"}},
      {"^c", {"ctrl+c"}}, {"%AW", {"alt+shift+a", "shift+w"}}, {"%", {"alt"}}, {"R", {"shift+r"}}, {"e", {"e"}},
      {"p", {"p"}}, {"o", {"o"}}, {"c", {"c"}}, {"~", {"Return"}}, {"^~", {"ctrl+Return"}},
      {"+(ec)x", {"shift+e", "shift+c", "x"}}, {"%(^a+b)", {"ctrl+alt+a", "alt+shift+b"}}, {"^%", {"ctrl+alt"}},
      {"{%}{+}{^}{~}{{}{}}{(}{)}",
       {"percent", "plus", "asciicircum", "asciitilde", "braceleft", "braceright", "parenleft", "parenright"}},
      {"{ENTER}{Esc}{f1}{F16}{A}", {"Return", "Escape", "F1", "F16", "shift+a"}},
      {"a 1.", {"a", "space", "1", "period"}}, {"", {}},
  };
  for (const auto& c : cases) {
    const platform::ParsedKeys parsed = parseSendKeys(QString::fromLatin1(c.keys));
    EXPECT_TRUE(parsed.ok()) << c.keys << ": " << parsed.error.toStdString();
    EXPECT_EQ(parsed.strokes, c.strokes) << c.keys << " gave " << parsed.strokes.join(' ').toStdString();
  }
}

// A faulty string gives an error and no strokes at all, even when it starts with good keys.
TEST(SendKeys, FaultyStringsAreRefusedWhole) {
  const char* faulty[] = {
      "^m{enter",  "^menter}", "{}",       "{{enter}",  "{enter}}", "{nokey}", "{F0}",    "{F17}", "{F04}",
      "{f+4}",     "^m(",      "(ab",      "ab)",       "()",       "%()",     "+(a%)",   "%(",    "(^",
      "^m\n",      "^m\t",
  };
  for (const char* keys : faulty) {
    const platform::ParsedKeys parsed = parseSendKeys(QString::fromLatin1(keys));
    EXPECT_FALSE(parsed.ok()) << keys;
    EXPECT_TRUE(parsed.strokes.isEmpty()) << keys << " gave " << parsed.strokes.join(' ').toStdString();
  }
  EXPECT_FALSE(parseSendKeys(QStringLiteral("^m\u20AC")).ok());  // outside Latin-1: no keysym to type
}

// Every short string over the notation's special characters: no crash or out-of-range read (this
// test also runs under the sanitizers), refusal means no strokes, and no stroke has an empty part.
TEST(SendKeys, EveryShortStringIsAcceptedSoundlyOrRefused) {
  const QString alphabet = QStringLiteral("%^+~(){}aA");
  QStringList level = {QString()};
  for (int length = 1; length <= 4; ++length) {
    QStringList next;
    for (const QString& prefix : level)
      for (QChar c : alphabet) next << prefix + c;
    for (const QString& keys : next) {
      const platform::ParsedKeys parsed = parseSendKeys(keys);
      if (!parsed.ok()) {
        ASSERT_TRUE(parsed.strokes.isEmpty()) << keys.toStdString();
        continue;
      }
      ASSERT_FALSE(parsed.strokes.isEmpty()) << keys.toStdString();
      for (const QString& s : parsed.strokes)
        ASSERT_FALSE(s.split(QLatin1Char('+')).contains(QString())) << keys.toStdString() << " gave " << s.toStdString();
    }
    level = next;
  }
}

// Groups nest 32 deep at most; a deeper string, even one deep enough to exhaust the stack, is
// refused whole with the reason.
TEST(SendKeys, GroupsNestedTooDeepAreRefusedWhole) {
  const struct { int depth; bool ok; } cases[] = {{32, true}, {33, false}, {100000, false}};
  for (const auto& c : cases) {
    const QString keys = QString(c.depth, QLatin1Char('(')) + QLatin1Char('a') + QString(c.depth, QLatin1Char(')'));
    const platform::ParsedKeys parsed = parseSendKeys(keys);
    EXPECT_EQ(parsed.strokes, c.ok ? QStringList{"a"} : QStringList{}) << c.depth;
    EXPECT_EQ(parsed.error, c.ok ? QString() : QStringLiteral("groups nested deeper than 32 at position 33")) << c.depth;
  }
}
