#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// A key string of the SSTV programs' notation turned into single strokes, each in xdo's
// key-sequence form ("alt+e", "s", "ctrl+v", "Return"), or the reason the string was refused.
struct ParsedKeys {
  QStringList strokes;
  QString error;  // empty when the string was accepted
  bool ok() const { return error.isEmpty(); }
};

// Reads the keystroke notation the external programs' sequences are written in:
//   "%" Alt, "^" Ctrl, "+" Shift, each on the next key or on a "( )" group; modifiers at the
//   very end of the string are tapped alone ("%" taps Alt);
//   "~" is Enter; an upper-case letter is typed with Shift;
//   braces name a key ({enter}, {tab}, {esc}, {F1} to {F16}, names in any case) or hold one
//   character typed as itself ({%}, {+}, {^}, {~}, {(}, {)}, {{}, {}}).
// A string with any fault (unbalanced braces or parentheses, an empty group, an unknown key name,
// a modifier with no key inside a group, a character that cannot be typed, groups nested more
// than 32 deep) is refused whole:
// no strokes at all, so nothing half of it is ever sent.
ParsedKeys parseSendKeys(const QString& keys);

}  // namespace platform
