#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cmath>

#include "app/form1.h"
#include "app/form2.h"
#include "app/itemfile.h"
#include "app/settings.h"
#include "platform/colour.h"
#include "platform/system.h"
#include "platform/textfont.h"
#include "platform/wholefile.h"
#include "qsl/messagelist.h"
#include "sstvlink/programs.h"

namespace {

const QString duplicateText = QStringLiteral(
    "You are trying to open this application a second time.\r\nThere will be BIG TROUBLE if this takes "
    "place.\r\nClick OK to abort.");
const QString largeFontsText =
    QStringLiteral("Your Computer is configured with Large Fonts.\rMarvane will not work correctly in Large Fonts.");
const QString folderTitle = QStringLiteral("Program Folder");
const QString headerHelp = QStringLiteral(
    "Make up header in box below, in same way as normal picture\r\n"
    "CTRL + Click color button changes header backcolor\r\n"
    "When finished, drag (RT Mouse Button) to one of the boxes above\r\n"
    "Click DONE when completely finished\r\n"
    "Headers (top or bottom) may be loaded by clicking 16 or 32 button");

double screenDpi(const Form1Environment& env) { return env.screenDpi ? env.screenDpi() : platform::screenDpi(); }

// 15 twips per pixel is 96 dots per inch exactly; any other resolution lays the window out wrong.
bool largeFonts(double dpi) { return std::fabs(dpi - 96.0) >= 0.005; }

// What a settings or messages file that cannot be read means for this run.
QString unreadAtExit(const char* start) {
  return QString::fromLatin1(start) +
         QStringLiteral(", and the file is left as it is at exit, until Marvane starts with it readable.");
}

// A settings or messages file that the exit would not write back as it found it (a hand edit, stray
// bytes, a file from elsewhere) keeps its bytes under a name no later start writes over before the
// exit writes the file in Marvane's own form; where they cannot be kept, the file is left as it is
// for this run. A file in Marvane's own form is never copied, nor one that holds nothing.
void keepWhatExitDrops(Form1& f, const QString& name, const QByteArray& bytes, const QByteArray& writtenBack,
                       const QString& title, const QString& what) {
  if (bytes == writtenBack || bytes.trimmed().isEmpty()) return;
  f.env.dialogs->MsgBox(what + QStringLiteral(" \"") + name + QStringLiteral("\" in ") +
                            QDir::toNativeSeparators(f.env.programDirectory) +
                            QStringLiteral(" is not as Marvane writes it, so the exit would not write it back as it is.") +
                            f.keepOrLeave(name, bytes, QStringLiteral("kept"), QStringLiteral("The file as found is"), name),
                        vb::OKOnly, title);
}

// A file can be made in the folder: it exists, is a folder, and takes a new file.
bool writableFolder(const QString& directory) {
  QTemporaryFile probe(QDir(directory).filePath(QStringLiteral("write-test-XXXXXX")));
  return probe.open();
}

// Another copy on the same folder would write over this one's files: it is refused, and so is a
// start that cannot tell, because the lock file that stands for the folder cannot be used.
bool mayStart(Form1& f) {
  using Refusal = platform::InstanceLock::Refusal;
  const QString title = QStringLiteral("DUPLICATE INSTANCE Marvane");
  switch (f.instanceLock.tryLock(f.env.programDirectory)) {
    case Refusal::None: return true;
    case Refusal::HeldElsewhere:
      f.env.dialogs->MsgBox(duplicateText, vb::OKOnly, title);
      return false;
    case Refusal::UnusableLockFile: break;
  }
  f.env.dialogs->MsgBox(QStringLiteral("Marvane cannot use its lock file\r\n") +
                            QDir::toNativeSeparators(f.instanceLock.unusableFile()) + QStringLiteral(" (") +
                            f.instanceLock.unusableReason() +
                            QStringLiteral(")\r\nwhich keeps a second Marvane off the folder. Remove that file, then start "
                                           "Marvane again.\r\nClick OK to abort."),
                        vb::OKOnly, title);
  return false;
}

QString unwritableFolderText(const QString& directory) {
  return QStringLiteral("Marvane cannot write in its folder\r\n") + QDir::toNativeSeparators(directory) +
         QStringLiteral("\r\nThe settings, the messages, the saved pictures and the call log of this session will not be "
                        "saved.");
}

// "True"/"False" as the settings file holds font flags, or a number (non-zero is true). Anything
// else is no flag, and the font keeps what it had.
bool readsAsFlag(const QString& text, bool* flag) {
  double n = 0;
  if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) *flag = true;
  else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) *flag = false;
  else if (readsAsNumber(text, &n)) *flag = n != 0;
  else return false;
  return true;
}

void setFlag(const QString& text, const std::function<void(bool)>& apply) {
  bool flag = false;
  if (readsAsFlag(text, &flag)) apply(flag);
}

bool readsAsColour(const Variant& v) { return v.isNumber() && v.number >= 0 && v.number <= 0xFFFFFF; }

// The style boxes first, so that a Grad or Stripes style tried here draws with them; the style
// itself is kept in the settings as Label34's colour.
void applyTextStyle(Form1& f) {
  CheckBox* boxes[] = {nullptr, f.Check17, f.Check15, f.Check16};
  for (int k = 1; k <= 3; ++k)
    if (Variant::fromText(f.styleflags[k]) == 1) boxes[k]->setValue(1);
  const struct {
    long colour;
    const char* caption;
    bool tryIt;
  } styles[] = {{colour::state::Idle, " Normal", false}, {0xFF, "  Grad", true}, {0xFFFF00, " Stripes", true}};
  for (const auto& s : styles) {
    if (f.shadowcolour != s.colour) continue;
    f.Label34->setBackColor(s.colour);
    f.Label34->setCaption(QString::fromLatin1(s.caption));
    if (s.tryIt) f.Label36_Click();
  }
}

// A graded shadow that was on at the last exit is kept in the settings as Text13's red, read
// into keycolour; switching it on again also takes its base colour from HScroll5.
void applyShadowEffects(Form1& f) {
  if (f.keycolour != 0xFF) return;
  f.gradedSwitchOn();
  f.takeShadowBase();
}

// Option3 first, so that one direction is on even when the settings name none, or no direction.
void applyShadowDirection(Form1& f) {
  f.Option3->setValue(true);
  OptionButton* options[] = {f.Option2, f.Option3, f.Option4, f.Option5};
  double n = 0;
  if (readsAsNumber(f.worktext, &n) && n >= 2 && n <= 5 && n == std::floor(n)) options[int(n) - 2]->setValue(true);
}

// Empty items get their defaults: the receive directories of the programs that have a usual one,
// and the QSL details a new operator is asked to set up.
void applyDefaults(Form1& f) {
  auto fill = [](QString& s, const char* text) {
    if (s.isEmpty()) s = QString::fromLatin1(text);
  };
  for (const SstvProgram& p : sstvPrograms())
    if (!p.receiveDefault.isNull() && f.savedirs[p.receiveDirectory].isEmpty())
      f.savedirs[p.receiveDirectory] = p.receiveDefault;
  fill(f.qsldefaults[2], "SETUP YOUR CALLSIGN");
  fill(f.qsldefaults[3], "20M");
  fill(f.qsldefaults[4], "595");
  f.Text9->setText(f.qsldefaults[3]);
  f.Text10->setText(f.qsldefaults[4]);
  if (f.qsldefaults[5].size() < 2) f.qsldefaults[5] = QStringLiteral("UTC");
}

// The text box's, the picture-font list's and the main picture's fonts, and the typefaces of the
// saved-font buttons.
void applyFonts(Form1& f) {
  auto& ts = f.textsettings;
  QFont text = f.Text1->font();
  if (!ts[1].isEmpty()) text.setFamily(ts[1]);
  setFace(f.Combo3, ts[15].isEmpty() ? QStringLiteral("webdings") : ts[15], 20);
  ts[9] = ts[2];
  text.setBold(false);
  setFlag(ts[4], [&](bool on) { text.setItalic(on); });
  setFlag(ts[5], [&](bool on) { text.setUnderline(on); });
  setFlag(ts[6], [&](bool on) { text.setStrikeOut(on); });
  f.Text1->setFont(text);

  TextFont& picture = f.Picture1->font;
  if (!ts[8].isEmpty()) picture.name = ts[8];
  double size = 0;
  if (readsAsNumber(ts[9], &size) && size > 0) picture.size = size;
  picture.setBold(false);
  setFlag(ts[11], [&](bool on) { picture.italic = on; });
  setFlag(ts[12], [&](bool on) { picture.underline = on; });
  setFlag(ts[13], [&](bool on) { picture.strikethrough = on; });

  const std::pair<CommandButton*, int> buttons[] = {{f.Command21, 1}, {f.Command25, 8}, {f.Command23, 15}, {f.Command24, 22}};
  for (auto [button, k] : buttons) {
    if (!f.savedfonts[k].isEmpty()) setFace(button, f.savedfonts[k]);
  }
}

// A saved picture that is there but does not read as a picture is not lost to the exit that
// writes the thirty again: its bytes are kept beside it, or, when they cannot be read or kept, the
// file is left as it is for this run. The sentence that says which, empty for a file that is not
// there or empty.
QString keepUnreadSavedPicture(Form1& f, const QString& name) {
  const QString path = QDir(f.env.programDirectory).filePath(name);
  if (!QFileInfo::exists(path)) return QString();
  QString reason;
  if (const std::optional<QByteArray> bytes = f.filesleftalone.read(path, &reason)) {
    if (bytes->isEmpty()) return QString();  // nothing to lose
    return f.keepOrLeave(name, *bytes, QStringLiteral("damaged"),
                         u'"' + name + QStringLiteral("\" is no picture Marvane can read; its bytes are"), name);
  }
  return QStringLiteral("\r\n\"") + name + QStringLiteral("\" cannot be read (") + reason +
         QStringLiteral("); it is left as it is at exit, until Marvane starts with it readable.");
}

// The saved colours, then the thirty saved pictures and where they show.
void applySavedPictures(Form1& f) {
  // A saved colour that is no colour leaves the button its design colour.
  LabelButton* colours[] = {nullptr, f.Label9, f.Label10, f.Label11, f.Label12};
  for (int k = 1; k <= 4; ++k) {
    const Variant c = Variant::fromText(f.savedcolours[k]);
    if (readsAsColour(c)) colours[k]->setBackColor(long(c.number));
  }
  f.Label16->setVisible(true);
  QString unread;
  for (int n = 1; n <= 30; ++n)
    if (!f.readSavedPicture(n)) unread += keepUnreadSavedPicture(f, QStringLiteral("JustText%1.bmp").arg(n));
  if (!unread.isEmpty())
    f.env.dialogs->MsgBox(QStringLiteral("Saved pictures in ") + QDir::toNativeSeparators(f.env.programDirectory) +
                              QStringLiteral(" that could not be read:") + unread,
                          vb::OKOnly, QStringLiteral("Saved Pictures"));
  for (int n = 4; n <= 12; ++n)
    if (!f.savedthumbs[n + 18].isNull()) f.headerStrips[n]->setPicture(f.savedthumbs[n + 18]);
  f.Image13->setPicture(f.savedthumbs[21]);
  ImageBox* boxes[] = {f.Image2, f.Image3, f.Image5, f.Image4};
  for (int k = 0; k < 4; ++k) boxes[k]->setPicture(f.savedthumbs[k + 1]);
}

// The saved program is chosen as from its menu; a code the program does not know (a damaged
// file) chooses Simple Copy Paste. The layout runs once, after the captions are final.
void chooseSavedProgram(Form1& f) {
  f.startingUp = true;
  if (!f.chooseProgram(f.sstvprogram)) {
    f.sstvprogram = 1;
    f.chooseProgram(1);
  }
  f.startingUp = false;
  const QString& startUpImport = sstvProgramOf(f.sstvprogram)->importCaptionAtStartUp;
  if (!startUpImport.isNull()) f.Command1->setCaption(startUpImport);
  f.checkscreensize();
  // The layout refreshes the OOPS copies from the blank start picture; OOPS is to bring back the
  // picture of the last exit.
  if (!f.savedthumbs[21].isNull()) f.Image13->setPicture(f.savedthumbs[21]);
}

// The tool tips are kept before the settings may blank them, so that Tool Tips ON brings them back.
void keepToolTips(Form1& f) {
  for (int k = 1; k <= 91; ++k)
    if (QWidget* w = f.tooltipControl(k)) f.tooltiptexts[k] = w->toolTip();
  if (f.tipsoffflag == 1) f.tooltipsoff_Click();
}

// The file list opens on the directory of the button used last; on the program directory when
// there is none or it is gone. Windows paths of the settings lie in the Wine prefix.
void openFileList(Form1& f) {
  const int button = f.lastdirbutton.isNumber() ? f.lastdirbutton.toInt() : 0;
  QString dir;
  if (button >= 1 && button <= 6) dir = f.savedirs[button];
  else if (button == 7) dir = f.savedirs[9];
  else if (button == 8) dir = f.savedirs[10];
  if (dir.isEmpty() || !f.File1->setPath(platform::resolveWindowsPath(dir))) f.File1->setPath(f.env.programDirectory);
  f.Dir1->setPath(f.File1->path());
  f.Drive1->setDrive(f.Dir1->path());
}

}  // namespace

bool Form1::Form_Load() {
  if (env.showSplash) {
    splash = new Form2(Image1->picture());
    splash->Form_Load();
  }
  platform::DoEvents();

  for (PicBuf* b : {PicbufVisible, PicbufOriginal, PicbufEdit}) b->setVisible(false);
  softenamount = sharpenamount = 1;
  setuppicbuf(PicbufVisible, false);

  if (!mayStart(*this)) {
    delete splash;
    splash = nullptr;
    return false;
  }
  if (largeFonts(screenDpi(env))) env.dialogs->MsgBox(largeFontsText, vb::OKOnly, QStringLiteral("LARGE FONTS"));
  if (!writableFolder(env.programDirectory))
    env.dialogs->MsgBox(unwritableFolderText(env.programDirectory), vb::OKOnly, folderTitle);

  sstvprogram = 1;
  picturefontmode = fontmode::Plain;
  QDir::setCurrent(env.programDirectory);
  readCallLog();

  Command2->setEnabled(false);
  texttoplace.clear();
  Text2->setText(QString());
  Picture1->setForeColor(238);
  textsettings[7] = QStringLiteral("238");
  Picture1->setBackColor(0xFFFF);
  readMessages();
  readRestore();

  applyTextStyle(*this);
  textsettings[7] = numberText(Picture1->foreColor());
  shadowbase = colour::rgb(255, 0, 0);
  applyShadowEffects(*this);
  applyShadowDirection(*this);
  Text16->setText(hoursoffset);
  HScroll4->setValueChecked(restoreHScroll4);
  HScroll5->setValueChecked(restoreHScroll5);
  VScroll1->setValueChecked(restoreVScroll1);
  if (outlineweight == 1) Label47->setCaption(QStringLiteral("Thin outline"));
  else if (outlineweight == 2) Label47->setCaption(QStringLiteral("Bold outline"));

  applyDefaults(*this);
  if (!qsldefaults[2].isEmpty())
    setWindowTitle(QStringLiteral("MARVANE   - ") + qsldefaults[2] + QStringLiteral("- Ver 10/MAR/2001"));
  applyFonts(*this);
  applySavedPictures(*this);

  picinpicsize = 120;
  Image6->setPicture(Picture1->image());
  HScroll1->setValueChecked(3);
  HScroll2->setValueChecked(1);
  Text1->setText(QString());
  Text3->setText(QString());
  Text4->setText(QString());
  Text5->setText(QStringLiteral("1"));
  normalfontsize = numberText(Picture1->font.size);

  chooseSavedProgram(*this);
  keepToolTips(*this);
  openFileList(*this);

  Picture1->font.size = 26;
  Text12->setText(headerHelp);
  QFont text = Text1->font();
  text.setPointSize(12);
  text.setItalic(false);
  Text1->setFont(text);
  Text1->setText(QStringLiteral("TYPE HERE"));
  Picture1->font.italic = false;
  headerfillcolour = 0xFFFFFF;

  Command12_Click();
  Image6->setPicture(Picture1->image());
  VScroll3->setValueChecked(6);

  shaperadius = 100;
  shapeaspect = 0.5;
  shapescrollvalue = 9;
  blendratio = blendrest = 50;
  miny = 256;
  maxy = 0;
  minx = 340;
  maxx = 0;

  if (splash) splash->hide();
  show();
  Text1->setFocus();
  if (splash) splash->deleteLater();
  splash = nullptr;
  return true;
}

std::optional<QByteArray> Form1::readProgramFile(const QString& name, const QString& title, const QString& what,
                                                 const QString& consequence) {
  QString reason;
  const std::optional<QByteArray> bytes = filesleftalone.read(QDir(env.programDirectory).filePath(name), &reason);
  if (!bytes && leftAlone(name))
    env.dialogs->MsgBox(what + QStringLiteral(" \"") + name + QStringLiteral("\" in ") +
                            QDir::toNativeSeparators(env.programDirectory) + QStringLiteral(" cannot be read (") + reason +
                            QStringLiteral(").\r\n") + consequence,
                        vb::OKOnly, title);
  return bytes;
}

QString Form1::keepOrLeave(const QString& name, const QByteArray& bytes, const QString& suffix, const QString& what,
                           const QString& guarded) {
  const QDir dir(env.programDirectory);
  QString reason;
  if (const std::optional<QString> copy =
          filesleftalone.keepCopyOrLeave(dir.filePath(name), bytes, suffix, dir.filePath(guarded), &reason))
    return QStringLiteral("\r\n") + what + QStringLiteral(" kept in \"") + *copy + QStringLiteral("\", which no later start writes over.");
  return QStringLiteral("\r\n") + what + QStringLiteral(" not kept elsewhere (") + reason + QStringLiteral("), so \"") + guarded +
         QStringLiteral("\" is left as it is until Marvane starts again.");
}

bool Form1::leftAlone(const QString& name) const {
  return filesleftalone.contains(QDir(env.programDirectory).filePath(name));
}

void Form1::readRestore() {
  if (const auto bytes = readProgramFile(QStringLiteral("restore"), QStringLiteral("Settings"), QStringLiteral("The settings file"),
                                         unreadAtExit("Marvane starts with its first settings"))) {
    readSettingsFile(*this, *bytes);
    keepWhatExitDrops(*this, QStringLiteral("restore"), *bytes, settingsWrittenBack(*this, *bytes), QStringLiteral("Settings"),
                      QStringLiteral("The settings file"));
  }
  // The two text colours: a stored black is a colour like any other; an absent item keeps the
  // start colours.
  if (readsAsColour(restoreForeColor)) {
    Picture1->setForeColor(long(restoreForeColor.number));
    Label25->setBackColor(long(restoreForeColor.number));
  }
  if (readsAsColour(restoreBackColor)) {
    Picture1->setBackColor(long(restoreBackColor.number));
    Label45->setBackColor(long(restoreBackColor.number));
  }
}

void Form1::readMessages() {
  const auto bytes = readProgramFile(QStringLiteral("messages"), QStringLiteral("Messages"),
                                     QStringLiteral("The messages file"), unreadAtExit("The messages list starts empty"));
  if (!bytes) return;
  messagestext = messagelist::readMessagesFile(*bytes);
  Text2->setText(messagestext);
  keepWhatExitDrops(*this, QStringLiteral("messages"), *bytes, messagelist::messagesFileBytes(Text2->text()),
                    QStringLiteral("Messages"), QStringLiteral("The messages file"));
}
