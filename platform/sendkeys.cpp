#include "platform/sendkeys.h"

#include <QHash>
#include <optional>

// Only for XKeysymToString: a printable Latin-1 character's keysym is its code, and this gives
// the keysym's name in the form xdo reads. Included last, as Xlib's macros clash with Qt.
#include <X11/Xlib.h>

namespace platform {

namespace {

constexpr int kHighestFunctionKey = 16;
// The parser goes one call deeper for each group: a bound keeps the stack safe whatever the string.
constexpr int kDeepestGroup = 32;

// Modifiers held for one stroke.
struct Held {
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
};

// One stroke: the held modifiers, then the key ("ctrl+alt+Return"); no key taps the modifiers.
QString stroke(const Held& held, const QString& key) {
  QStringList parts;
  if (held.ctrl) parts << QStringLiteral("ctrl");
  if (held.alt) parts << QStringLiteral("alt");
  if (held.shift) parts << QStringLiteral("shift");
  if (!key.isEmpty()) parts << key;
  return parts.join(QLatin1Char('+'));
}

// Sets the modifier `c` stands for; false when `c` is no modifier.
bool hold(QChar c, Held& held) {
  switch (c.unicode()) {
    case '%': held.alt = true; return true;
    case '^': held.ctrl = true; return true;
    case '+': held.shift = true; return true;
    default: return false;
  }
}

// xdo's name of a key named in braces, or null for a name we do not know.
QString namedKey(const QString& name) {
  static const QHash<QString, QString> names = {
      {QStringLiteral("enter"), QStringLiteral("Return")},
      {QStringLiteral("tab"), QStringLiteral("Tab")},
      {QStringLiteral("esc"), QStringLiteral("Escape")},
  };
  const QString lower = name.toLower();
  if (const auto it = names.constFind(lower); it != names.constEnd()) return *it;
  if (!lower.startsWith(QLatin1Char('f'))) return {};
  bool number = false;
  const int n = lower.mid(1).toInt(&number);
  // "{F04}" or "{F+4}" are no key names, though they read as numbers.
  if (!number || n < 1 || n > kHighestFunctionKey || lower.mid(1) != QString::number(n)) return {};
  return QStringLiteral("F%1").arg(n);
}

struct TypedKey {
  QString name;
  bool shift;
};

// The key that types `c`, or nothing when `c` is not a printable Latin-1 character.
std::optional<TypedKey> typedKey(QChar c) {
  if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) return TypedKey{QString(c.toLower()), true};
  const ushort code = c.unicode();
  const bool printable = (code >= 0x20 && code <= 0x7E) || (code >= 0xA0 && code <= 0xFF);
  if (!printable) return std::nullopt;
  const char* name = XKeysymToString(KeySym(code));
  if (!name) return std::nullopt;
  return TypedKey{QString::fromLatin1(name), false};
}

// Recursive descent over one string; strokes are only handed out when the whole string is sound.
class Parser {
 public:
  explicit Parser(const QString& keys) : s_(keys) {}

  ParsedKeys run() {
    const QString error = sequence(Held{}, false);
    if (!error.isEmpty()) return {{}, error};
    return {strokes_, {}};
  }

 private:
  QString fault(const QString& what) const { return QStringLiteral("%1 at position %2").arg(what).arg(pos_ + 1); }

  // Items up to the end of the string or, inside a group, up to and past its ")".
  QString sequence(const Held& outer, bool inGroup) {
    int items = 0;
    while (pos_ < s_.size()) {
      if (s_[pos_] == QLatin1Char(')')) {
        if (!inGroup) return fault(QStringLiteral("\")\" closes no group"));
        if (items == 0) return fault(QStringLiteral("empty group"));
        ++pos_;
        return {};
      }
      if (QString error = item(outer, inGroup); !error.isEmpty()) return error;
      ++items;
    }
    if (inGroup) return fault(QStringLiteral("\"(\" never closed"));
    return {};
  }

  // Modifiers, then the key or group they hold.
  QString item(Held held, bool inGroup) {
    while (pos_ < s_.size() && hold(s_[pos_], held)) ++pos_;
    if (pos_ == s_.size()) {
      if (inGroup) return fault(QStringLiteral("\"(\" never closed"));
      strokes_ << stroke(held, {});  // a trailing modifier is tapped alone
      return {};
    }
    const QChar c = s_[pos_];
    if (c == QLatin1Char(')')) return fault(QStringLiteral("modifier without a key"));
    if (c == QLatin1Char('}')) return fault(QStringLiteral("\"}\" closes no key name"));
    if (c == QLatin1Char('(')) {
      if (depth_ == kDeepestGroup) return fault(QStringLiteral("groups nested deeper than %1").arg(kDeepestGroup));
      ++pos_;
      ++depth_;
      const QString error = sequence(held, true);
      --depth_;
      return error;
    }
    if (c == QLatin1Char('{')) return braced(held);
    ++pos_;
    if (c == QLatin1Char('~')) {
      strokes_ << stroke(held, QStringLiteral("Return"));
      return {};
    }
    return typed(held, c);
  }

  // "{name}" or "{c}"; the search for "}" starts past the first character so "{}}" is a "}".
  QString braced(const Held& held) {
    const qsizetype close = s_.indexOf(QLatin1Char('}'), pos_ + 2);
    if (close < 0) return fault(QStringLiteral("\"{\" never closed"));
    const QString name = s_.mid(pos_ + 1, close - pos_ - 1);
    if (name.size() == 1) {
      pos_ = close + 1;
      return typed(held, name[0]);
    }
    const QString key = namedKey(name);
    if (key.isEmpty()) return fault(QStringLiteral("unknown key name {%1}").arg(name));
    pos_ = close + 1;
    strokes_ << stroke(held, key);
    return {};
  }

  QString typed(Held held, QChar c) {
    const std::optional<TypedKey> key = typedKey(c);
    if (!key) return fault(QStringLiteral("character U+%1 cannot be typed").arg(c.unicode(), 4, 16, QLatin1Char('0')));
    held.shift = held.shift || key->shift;
    strokes_ << stroke(held, key->name);
    return {};
  }

  const QString& s_;
  qsizetype pos_ = 0;
  int depth_ = 0;
  QStringList strokes_;
};

}  // namespace

ParsedKeys parseSendKeys(const QString& keys) { return Parser(keys).run(); }

}  // namespace platform
