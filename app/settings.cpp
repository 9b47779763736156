#include "app/settings.h"

#include <QRegularExpression>
#include <climits>

#include "app/form1.h"
#include "app/itemfile.h"

namespace {

// The bounds of a whole-number item: what its control or variable can take.
struct Range {
  long long low, high;
};
constexpr Range Flag{0, 1};
constexpr Range Int16{-32768, 32767};   // a scroll bar's value, a program code
constexpr Range Colour{0, 0xFFFFFF};
constexpr Range OutlineWeights{0, 2};  // fine, thin, bold
constexpr Range DirButtons{0, 8};      // none (the program directory), Dir 1 to Dir 8
constexpr Range ListRows{-1, INT_MAX};  // no file chosen, or a row of the file list

// A read number is rounded and held within its range; a value that is no number skips the
// assignment, so the target keeps what it had.
template <typename T>
void readNumber(const QString& item, T& target, Range range) {
  double v = 0;
  if (readsAsNumber(item, &v)) target = T(roundedWithin(v, range.low, range.high));
}

SettingsItem text(QString& s) {
  return {SettingsItem::Quoted, [&s] { return Variant::ofText(s); }, [&s](const QString& t) { s = t; }};
}

SettingsItem value(Variant& v, SettingsItem::Form form = SettingsItem::Bare) {
  return {form, [&v] { return v; }, [&v](const QString& t) { v = Variant::fromText(t); }};
}

// A value that may be a text, but is held within its range when it is a number.
SettingsItem boundedValue(Variant& v, Range range, SettingsItem::Form form = SettingsItem::Bare) {
  return {form, [&v] { return v; }, [&v, range](const QString& t) {
            v = Variant::fromText(t);
            if (v.isNumber()) v.number = double(roundedWithin(v.number, range.low, range.high));
          }};
}

template <typename T>
SettingsItem number(T& n, Range range) {
  return {SettingsItem::Bare, [&n] { return Variant(double(n)); }, [&n, range](const QString& t) { readNumber(t, n, range); }};
}

// Written from a control's number, read into a working value.
template <typename T>
SettingsItem controlNumber(std::function<double()> source, T& target, Range range) {
  return {SettingsItem::Bare, [source] { return Variant(source()); },
          [&target, range](const QString& t) { readNumber(t, target, range); }};
}

// The hours offset goes out as typed ("+3" stays "+3", "-10 hrs" stays "-10 hrs"), without the
// blanks around it, which the reader passes over. A comma, a double quote or a line break would
// shift the items after it: such a text goes out as nothing.
SettingsItem hoursOffset(QString& s) {
  static const QRegularExpression separator(QStringLiteral("[,\"\r\n]"));
  return {SettingsItem::AsTyped, [&s] { return s.contains(separator) ? Variant() : Variant::ofText(s.trimmed()); },
          [&s](const QString& t) { s = t; }};
}

}  // namespace

std::vector<SettingsItem> settingsItems(Form1& f) {
  std::vector<SettingsItem> items;
  items.reserve(127);
  for (int k = 1; k <= 14; ++k) items.push_back(text(f.textsettings[k]));
  for (int k = 1; k <= 28; ++k) items.push_back(text(f.savedfonts[k]));
  for (int k = 1; k <= 28; ++k) items.push_back(text(f.savedpicturefonts[k]));
  for (int k = 1; k <= 4; ++k) items.push_back(text(f.savedcolours[k]));
  items.push_back(number(f.sstvprogram, Int16));                                            // 75
  items.push_back(number(f.tipsoffflag, Flag));                                             // 76
  for (int k = 2; k <= 5; ++k) items.push_back(text(f.qsldefaults[k]));                     // 77-80
  items.push_back(value(f.keptsettinga));                                                   // 81
  for (int k = 1; k <= 14; ++k) items.push_back(text(f.savedirs[k]));                       // 82-95
  for (int k = 1; k <= 8; ++k) items.push_back(boundedValue(f.dirlistindex[k], ListRows, SettingsItem::BareNoBlanks));
  items.push_back(controlNumber([&f] { return double(f.HScroll4->value()); }, f.restoreHScroll4, Int16));  // 104
  items.push_back(boundedValue(f.outlineweight, OutlineWeights));                           // 105
  // The copies of a shadow: the depth scroll bar's value squared at most.
  const long long deepest = 1LL * f.VScroll1->maximum() * f.VScroll1->maximum();
  items.push_back(boundedValue(f.shadowdepth, {0, deepest}));                               // 106
  items.push_back(controlNumber([&f] { return double(f.VScroll1->value()); }, f.restoreVScroll1, Int16));  // 107
  items.push_back(value(f.keptsettingb));                                                   // 108
  items.push_back(boundedValue(f.lastdirbutton, DirButtons));                               // 109
  items.push_back(controlNumber([&f] { return double(f.HScroll5->value()); }, f.restoreHScroll5, Int16));  // 110
  for (int k = 15; k <= 19; ++k) items.push_back(text(f.textsettings[k]));                  // 111-115
  items.push_back(hoursOffset(f.hoursoffset));                                              // 116
  items.push_back(text(f.savedirs[15]));                                                    // 117
  int k = 1;
  for (CheckBox* box : {f.Check17, f.Check15, f.Check16}) {                                 // 118-120
    QString& flag = f.styleflags[k++];
    items.push_back({SettingsItem::Bare, [box] { return Variant(box->value()); }, [&flag](const QString& t) { flag = t; }});
  }
  items.push_back(controlNumber([&f] { return double(f.Label34->backColor()); }, f.shadowcolour, Colour));  // 121
  items.push_back(controlNumber([&f] { return double(f.Text13->backColor()); }, f.keycolour, Colour));      // 122
  items.push_back({SettingsItem::Bare, [&f] { return Variant::fromText(f.styleflags[4]); },
                   [&f](const QString& t) { f.worktext = t; }});                            // 123
  items.push_back({SettingsItem::Bare, [&f] { return Variant(double(f.Label25->backColor())); },
                   [&f](const QString& t) { f.restoreForeColor = Variant::fromText(t); }}); // 124
  items.push_back({SettingsItem::Bare, [&f] { return Variant(double(f.Label45->backColor())); },
                   [&f](const QString& t) { f.restoreBackColor = Variant::fromText(t); }}); // 125
  items.push_back(text(f.savedirs[16]));                                                    // 126
  items.push_back(text(f.savedirs[17]));                                                    // 127
  return items;
}

namespace {

void writeItem(ItemWriter& writer, SettingsItem::Form form, const Variant& v) {
  switch (form) {
    case SettingsItem::Quoted: writer.quoted(v.toString()); break;
    case SettingsItem::Bare: writer.bare(v); break;
    case SettingsItem::BareNoBlanks: writer.bareNoBlanks(v); break;
    case SettingsItem::AsTyped: writer.asTyped(v.toString()); break;
  }
}

}  // namespace

QByteArray settingsFileBytes(Form1& form) {
  ItemWriter writer;
  for (const SettingsItem& item : settingsItems(form)) writeItem(writer, item.form, item.written());
  return writer.bytes();
}

QByteArray settingsWrittenBack(Form1& form, const QByteArray& bytes) {
  ItemReader reader(bytes);
  ItemWriter writer;
  for (const SettingsItem& item : settingsItems(form)) {
    const std::optional<Item> read = reader.next();
    if (!read) break;
    const bool text = item.form == SettingsItem::Quoted || item.form == SettingsItem::AsTyped;
    writeItem(writer, item.form, text ? Variant::ofText(read->text) : Variant::fromText(read->text));
  }
  return writer.bytes();
}

void readSettingsFile(Form1& form, const QByteArray& bytes) {
  ItemReader reader(bytes);
  for (const SettingsItem& item : settingsItems(form)) {
    const std::optional<Item> read = reader.next();
    if (!read) return;
    item.read(read->text);
  }
}
