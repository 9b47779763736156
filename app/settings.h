#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "app/variant.h"

class Form1;

// One item of the settings file "restore": its form, the value the shut-down writes, and where
// the start-up puts what it reads. Several items are written from a control and read into a
// working value that the start-up applies later.
struct SettingsItem {
  enum Form { Quoted, Bare, BareNoBlanks, AsTyped };
  Form form;
  std::function<Variant()> written;
  std::function<void(const QString&)> read;
};

// The 127 items in file order, bound to the form's state.
std::vector<SettingsItem> settingsItems(Form1& form);

// The whole file as the shut-down writes it.
QByteArray settingsFileBytes(Form1& form);
// The file as the shut-down writes back the items of `bytes` when no setting has changed: each item
// it holds, up to the last the settings have, in that item's own form. Equal to `bytes` for a file
// Marvane wrote; anything it would not write back as found makes them differ.
QByteArray settingsWrittenBack(Form1& form, const QByteArray& bytes);
// Reads the items in order into their targets; items the file does not hold leave their targets
// as they were.
void readSettingsFile(Form1& form, const QByteArray& bytes);
