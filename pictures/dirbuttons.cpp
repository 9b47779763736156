#include <QDir>

#include "app/form1.h"
#include "pictures/browserkit.h"
#include "platform/colour.h"
#include "platform/textfont.h"

namespace {

// Dir 7 and Dir 8 keep their directories in entries 9 and 10: 7 and 8 are receive directories.
constexpr int DirEntry[] = {0, 1, 2, 3, 4, 5, 6, 9, 10};

// What of a directory's name the settings file cannot keep, for the message; empty when it keeps
// it all. The file holds a directory as one quoted line: a double quote in it would come back as a
// single one and a line break as a blank, naming another directory after the next start. Every
// other character, control characters included, reads back as it went out.
QString unkeptInName(const QString& path) {
  if (path.contains(QLatin1Char('"'))) return QStringLiteral("a double quote (\")");
  if (path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\n'))) return QStringLiteral("a line break");
  return {};
}

}  // namespace

CommandButton* Form1::dirButton(int n) const {
  const std::array buttons = {Command14, Command15, Command16, Command17, Command18, Command19, Command5, Command30};
  return n >= 1 && n <= 8 ? buttons[n - 1] : nullptr;
}

void Form1::Command14_Click() { dirButton_Click(1); }
void Form1::Command15_Click() { dirButton_Click(2); }
void Form1::Command16_Click() { dirButton_Click(3); }
void Form1::Command17_Click() { dirButton_Click(4); }
void Form1::Command18_Click() { dirButton_Click(5); }
void Form1::Command19_Click() { dirButton_Click(6); }
void Form1::Command5_Click() { dirButton_Click(7); }
void Form1::Command30_Click() { dirButton_Click(8); }

// A directory that is gone ends the click once the button is lit.
void Form1::dirButton_Click(int n) {
  toolmarker = 0;
  lastdirbutton = n;
  resetdirbuttons();
  CommandButton* button = dirButton(n);
  setWidgetBold(button, true);
  button->setCaption(QStringLiteral("Dir%1").arg(n));
  if (!File1->setPath(platform::resolveWindowsPath(savedirs[DirEntry[n]]))) return;
  Dir1->setPath(File1->path());
  Drive1->setDrive(Dir1->path());
  emptyBrowseBoxes();
  selectFile(dirlistindex[n].toInt());
  Label13_Click();
  toolmarker = tool::DirButtonClicked;
  Text1->setFocus();
}

void Form1::dirButton_MouseDown(int n, int button) {
  if (button != mousebutton::Right) return;
  if (env.dialogs->MsgBox(QStringLiteral("Save this Directory to Dir %1?").arg(n), vb::OKCancel | vb::DefaultButton2,
                          File1->path()) == vb::OK)
    storeDirectory(DirEntry[n], File1->path());
}

void Form1::storeDirectory(int entry, const QString& path) {
  if (const QString unkept = unkeptInName(path); !unkept.isEmpty()) {
    env.dialogs->MsgBox(QStringLiteral("The directory\r\n%1\r\nhas %2 in its name, which the settings cannot keep. It is "
                                       "not stored: rename it or choose another directory.")
                            .arg(QDir::toNativeSeparators(path), unkept),
                        vb::OKOnly | vb::Exclamation, QString());
    return;
  }
  savedirs[entry] = path;
}

void Form1::resetdirbuttons() {
  for (int n = 1; n <= 8; ++n) {
    CommandButton* button = dirButton(n);
    button->setCaption(QStringLiteral("Dir %1").arg(n));
    setWidgetBold(button, false);
  }
  platform::DoEvents();
}
