#include <QDir>
#include <algorithm>

#include "app/form1.h"
#include "app/form2.h"
#include "app/itemfile.h"
#include "app/settings.h"
#include "platform/colour.h"
#include "platform/picturefile.h"
#include "platform/wholefile.h"
#include "qsl/messagelist.h"

namespace {

const QString exitQuestion = QStringLiteral(
    "Click YES to Exit and Save Updated Thumbnails\r\nClick NO to Exit and leave original Thumbnails "
    "untouched\r\nClick CANCEL to return to Program");

// A mode that lends a control to something passing keeps the operator's value and gives it back
// only when it ends. The exit stores what the controls hold, so it ends each such mode first, as
// its own off-switch does; the style preview and the header maker before the main picture is kept.
void endPassingStates(Form1& f) {
  if (f.isArmed(f.Label48)) f.Label48_Click();  // Text1 lists the search in a small font
  if (f.isArmed(f.Label38)) f.Label38_Click();  // ColFill: the dragged colours are on the pen
  f.endPictureFont(PictureFontEnd::Font);        // a symbol face at a large size on Picture1
  f.dropStylePreview();                          // a Grad or Stripes text never SET lies in the picture
  if (f.headerMode()) f.Command36_Click();       // the header being made stands in the picture
}

// The settings items that live in controls are read back from them just before the file is
// written.
void refreshSettings(Form1& f) {
  auto& ts = f.textsettings;
  const QFont text = f.textFont();
  ts[1] = text.family();
  ts[2] = ts[9];
  ts[3] = trueFalse(text.bold());
  ts[4] = trueFalse(text.italic());
  ts[5] = trueFalse(text.underline());
  ts[6] = trueFalse(text.strikeOut());
  const TextFont& picture = f.Picture1->font;
  ts[8] = picture.name;
  ts[9] = numberText(picture.size);
  ts[10] = trueFalse(picture.bold());
  ts[11] = trueFalse(picture.italic);
  ts[12] = trueFalse(picture.underline);
  ts[13] = trueFalse(picture.strikethrough);
  LabelButton* colours[] = {nullptr, f.Label9, f.Label10, f.Label11, f.Label12};
  for (int k = 1; k <= 4; ++k) f.savedcolours[k] = numberText(colours[k]->backColor());
  OptionButton* options[] = {f.Option2, f.Option3, f.Option4, f.Option5};
  for (int k = 0; k < 4; ++k)
    if (options[k]->value()) {
      f.styleflags[4] = QString::number(k + 2);
      break;
    }
}

}  // namespace

void Form1::exit_Click() {
  workvalue = env.dialogs->MsgBox(exitQuestion, vb::YesNoCancel, QStringLiteral("Close Program"));
  if (workvalue == vb::No) keepthumbs = 1;
  if (workvalue != vb::Yes && workvalue != vb::No) return;
  close();
}

void Form1::Form_Unload() {
  unloaded = true;
  endPassingStates(*this);
  savedthumbs[21] = Picture1->image();
  Picture1->setPicture(Image1->picture());
  Label49->setVisible(true);
  platform::DoEvents();
  hoursoffset = Text16->text();
  QDir::setCurrent(env.programDirectory);

  QStringList failed;
  messagestext = Text2->text();
  if (!writeMessages()) failed << QStringLiteral("messages");
  refreshSettings(*this);
  if (!writeRestore()) failed << QStringLiteral("restore");
  if (keepthumbs.toInt() == 0) {
    for (int n = 4; n <= 12; ++n) savedthumbs[n + 18] = headerStrips[n]->image();
    failed << saveThumbFiles();
  }
  // The old files stay when a write fails; the operator must know they were not updated, and
  // whether there were any.
  if (!failed.isEmpty()) {
    const QDir dir(env.programDirectory);
    const bool kept = std::any_of(failed.begin(), failed.end(), [&dir](const QString& name) { return dir.exists(name); });
    env.dialogs->MsgBox(QStringLiteral("Could not save ") + failed.join(QStringLiteral(", ")) + QStringLiteral(" in ") +
                            env.programDirectory + u'.' +
                            (kept ? QStringLiteral("\r\nThe previous files were kept.") : QString()),
                        vb::OKOnly, QStringLiteral("Shutting Down"));
  }
  delete splash;
  splash = nullptr;
}

bool Form1::writeRestore() {
  const QString name = QStringLiteral("restore");
  return leftAlone(name) || writeWholeFile(QDir(env.programDirectory).filePath(name), settingsFileBytes(*this));
}

bool Form1::writeMessages() {
  const QString name = QStringLiteral("messages");
  return leftAlone(name) ||
         writeWholeFile(QDir(env.programDirectory).filePath(name), messagelist::messagesFileBytes(messagestext));
}

QStringList Form1::saveThumbFiles() {
  QStringList failed;
  const QDir dir(env.programDirectory);
  for (int n = 1; n <= 30; ++n) {
    const QString name = QStringLiteral("JustText%1.bmp").arg(n);
    if (savedthumbs[n].isNull() || leftAlone(name)) continue;
    if (!writePictureFile(dir.filePath(name), savedthumbs[n], PictureFormat::Bmp, 0)) failed << name;
  }
  return failed;
}
