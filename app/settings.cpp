#include "app/settings.h"

#include <cmath>

#include "app/form1.h"
#include "app/itemfile.h"

namespace {

// A read value that is no number skips the assignment, so the target keeps what it had.
template <typename T>
void readNumber(const QString& item, T& target) {
  double v = 0;
  if (readsAsNumber(item, &v)) target = T(std::llround(v));
}

SettingsItem text(QString& s) {
  return {SettingsItem::Quoted, [&s] { return Variant::ofText(s); }, [&s](const QString& t) { s = t; }};
}

SettingsItem value(Variant& v, SettingsItem::Form form = SettingsItem::Bare) {
  return {form, [&v] { return v; }, [&v](const QString& t) { v = Variant::fromText(t); }};
}

template <typename T>
SettingsItem number(T& n) {
  return {SettingsItem::Bare, [&n] { return Variant(double(n)); }, [&n](const QString& t) { readNumber(t, n); }};
}

// Written from a control's number, read into a working value.
template <typename T>
SettingsItem controlNumber(std::function<double()> source, T& target) {
  return {SettingsItem::Bare, [source] { return Variant(source()); },
          [&target](const QString& t) { readNumber(t, target); }};
}

// The hours offset is typed freely; only a number can travel in the bare form without shifting
// the items after it. It goes out as typed ("+3" stays "+3"), and anything else as nothing.
SettingsItem hoursOffset(QString& s) {
  return {SettingsItem::AsTyped, [&s] { return readsAsNumber(s) ? Variant::ofText(s) : Variant(); },
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
  items.push_back(number(f.sstvprogram));                                                   // 75
  items.push_back(number(f.tipsoffflag));                                                   // 76
  for (int k = 2; k <= 5; ++k) items.push_back(text(f.qsldefaults[k]));                     // 77-80
  items.push_back(value(f.keptsettinga));                                                   // 81
  for (int k = 1; k <= 14; ++k) items.push_back(text(f.savedirs[k]));                       // 82-95
  for (int k = 1; k <= 8; ++k) items.push_back(value(f.dirlistindex[k], SettingsItem::BareNoBlanks));
  items.push_back(controlNumber([&f] { return double(f.HScroll4->value()); }, f.restoreHScroll4));  // 104
  items.push_back(value(f.outlineweight));                                                  // 105
  items.push_back(value(f.shadowdepth));                                                    // 106
  items.push_back(controlNumber([&f] { return double(f.VScroll1->value()); }, f.restoreVScroll1));  // 107
  items.push_back(value(f.keptsettingb));                                                   // 108
  items.push_back(value(f.lastdirbutton));                                                  // 109
  items.push_back(controlNumber([&f] { return double(f.HScroll5->value()); }, f.restoreHScroll5));  // 110
  for (int k = 15; k <= 19; ++k) items.push_back(text(f.textsettings[k]));                  // 111-115
  items.push_back(hoursOffset(f.hoursoffset));                                              // 116
  items.push_back(text(f.savedirs[15]));                                                    // 117
  int k = 1;
  for (CheckBox* box : {f.Check17, f.Check15, f.Check16}) {                                 // 118-120
    QString& flag = f.styleflags[k++];
    items.push_back({SettingsItem::Bare, [box] { return Variant(box->value()); }, [&flag](const QString& t) { flag = t; }});
  }
  items.push_back(controlNumber([&f] { return double(f.Label34->backColor()); }, f.shadowcolour));  // 121
  items.push_back(controlNumber([&f] { return double(f.Text13->backColor()); }, f.keycolour));      // 122
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

QByteArray settingsFileBytes(Form1& form) {
  ItemWriter writer;
  for (const SettingsItem& item : settingsItems(form)) {
    const Variant v = item.written();
    switch (item.form) {
      case SettingsItem::Quoted: writer.quoted(v.toString()); break;
      case SettingsItem::Bare: writer.bare(v); break;
      case SettingsItem::BareNoBlanks: writer.bareNoBlanks(v); break;
      case SettingsItem::AsTyped: writer.asTyped(v.toString()); break;
    }
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
