#include <QDir>
#include <QFileInfo>

#include "app/codes.h"
#include "app/form1.h"
#include "platform/picturefile.h"
#include "platform/wholefile.h"
#include "qsl/logbook.h"

namespace {

const QString LogFileName = QStringLiteral("logdata");
const QString BackupFileName = QStringLiteral("logdata.bak");
const QString LogTitle = QStringLiteral("Call Log");
const QString Question = QStringLiteral("ARE YOU SURE!!");
constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;
// No is the default: the log loses a station on Yes.
constexpr int DeleteQuestion = vb::YesNo + vb::Exclamation + vb::DefaultButton2;

// What became of "logdata.bak" at this start.
enum class Backup { Written, KeptOlder, Failed };

QString repairedMessage(Backup backup) {
  const QString first = QStringLiteral("The call log \"logdata\" was not in its usual form and has been repaired as it was read.");
  switch (backup) {
    case Backup::Written: return first + QStringLiteral("\r\nThe file as it was is kept in \"logdata.bak\".");
    case Backup::KeptOlder:
      return first + QStringLiteral("\r\n\"logdata.bak\" keeps the log of an earlier start; \"logdata\" itself is left as "
                                    "it is until a call is saved or deleted.");
    case Backup::Failed: break;
  }
  return first + QStringLiteral("\r\nThe file as it was could not be copied to \"logdata.bak\"; \"logdata\" itself is "
                                "left as it is until a call is saved or deleted.");
}

// The log found at this start is the program's own empty log while the backup holds stations:
// every station may have been deleted, so they are not brought back, but the operator must hear
// of it before a saved call makes the empty log the next start's backup.
QString emptyLogMessage(const QString& directory) {
  return QStringLiteral("The call log \"logdata\" in ") + QDir::toNativeSeparators(directory) +
         QStringLiteral(" is empty.\r\n\"logdata.bak\" keeps the stations of an earlier start and is left as it is; to "
                        "have them back, close Marvane and copy it to \"logdata\".");
}

// What stood in the place of a lost log: no file, nothing but blanks and line ends, or other bytes
// from which no station can be read (zero or control bytes, stray text).
QString lostState(const std::optional<QByteArray>& bytes) {
  if (!bytes) return QStringLiteral(" is missing.");
  if (bytes->trimmed().isEmpty()) return QStringLiteral(" is empty.");
  return QStringLiteral(" holds no station that can be read.");
}

// The log was lost and its stations were taken from the backup.
QString restoredMessage(const QString& directory, const std::optional<QByteArray>& bytes) {
  return QStringLiteral("The call log \"logdata\" in ") + QDir::toNativeSeparators(directory) + lostState(bytes) +
         QStringLiteral("\r\nIts stations have been taken from \"logdata.bak\", which is left as it is; the next call "
                        "saved or deleted writes them to \"logdata\".");
}

// The backup's log when it holds stations: worth more than a log this start could not read as
// written.
std::optional<QString> backupStations(const QString& path) {
  const auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  QString log = logbook::readLogFile(*bytes).log;
  if (log.isEmpty()) return std::nullopt;
  return log;
}

QString quotedRecord(const Form1& f) { return u'"' + f.Text3->text() + QStringLiteral("   ") + f.Text4->text() + u'"'; }

void focusEndOf(TextField* box) {
  box->setFocus();
  box->end(false);
}

// The last mugshot of the callsign that loads, in the order of the extensions; none when no file
// loads.
QImage mugshotOf(const QString& directory, const QString& callsign) {
  const QDir dir(directory);
  const QStringList files = logbook::mugshotFiles(callsign, dir.entryList(QDir::Files));
  for (auto name = files.crbegin(); name != files.crend(); ++name) {
    QImage picture;
    if (readPictureFile(dir.filePath(*name), &picture)) return picture;
  }
  return QImage();
}

}  // namespace

// The log as it was at this start goes to "logdata.bak" byte for byte. A log that is missing,
// unreadable, empty or had to be repaired never takes the place of a backup that holds stations:
// that may be the last good copy. A log that is lost outright (missing, or holding no log at all
// whatever its bytes) is taken from that backup, so the next Save Call or Delete Call writes the
// stations back; only the program's own empty log stays empty. A first start leaves the empty log
// as its backup. Whatever is not as it should be is said once.
void Form1::readCallLog() {
  const QString backup = QDir(env.programDirectory).filePath(BackupFileName);
  const std::optional<QByteArray> bytes =
      readProgramFile(LogFileName, LogTitle, QStringLiteral("The call log"),
                      QStringLiteral("No station can be looked up, and Save Call and Delete Call leave the file alone "
                                     "until Marvane starts with it readable."));
  const logbook::LogFile file = logbook::readLogFile(bytes.value_or(QByteArray()));
  const bool sound = bytes && !file.repaired && !file.log.isEmpty();
  const std::optional<QString> kept = sound ? std::nullopt : backupStations(backup);
  const bool lost = !leftAlone(LogFileName) && file.lost;
  setLogText(lost && kept ? *kept : file.log);
  Backup outcome = Backup::KeptOlder;
  if (!kept)
    outcome = writeWholeFile(backup, bytes ? *bytes : logbook::logFileBytes(QString())) ? Backup::Written : Backup::Failed;
  if (leftAlone(LogFileName)) return;  // said as it was read
  if (lost && kept) env.dialogs->MsgBox(restoredMessage(env.programDirectory, bytes), vb::OKOnly, LogTitle);
  else if (file.repaired) env.dialogs->MsgBox(repairedMessage(outcome), vb::OKOnly, LogTitle);
  else if (kept) env.dialogs->MsgBox(emptyLogMessage(env.programDirectory), vb::OKOnly, LogTitle);
}

void Form1::setLogText(const QString& log) {
  logtext = log;
  logupper = logbook::upperCopy(log);
  logsize20 = log.size() / 20.0;
}

void Form1::Text3_Change() {
  if (isArmed(Label48)) Label48_Click();
  Text1->resize(Text1->width(), Text1Height);
  picturefontmode = fontmode::Plain;
  const QString typed = Text3->text();
  const QString capitals = logbook::upperCopy(typed);
  if (capitals != typed) {
    // The change this raises looks the capitals up.
    Text3->setText(capitals);
    return;
  }
  Text3->end(false);
  const logbook::Lookup found = logbook::lookUp(logtext, logupper, typed);
  switch (found.found) {
    case logbook::Found::Nothing:
      loginfo.clear();
      Text4->clear();
      return;
    case logbook::Found::InsideText:
      // Another station's line mentions it: the box and Save Call stay as they were.
      loginfo = Text4->text();
      return;
    case logbook::Found::StartOfLonger:
    case logbook::Found::Record:
      Image7->clearPicture();
      logshown = 1;
      Command2->setEnabled(false);
      // The reference first, so that showing the line leaves Save Call disabled.
      loginfo = found.info;
      Text4->setText(found.info);
      break;
  }
  if (found.found != logbook::Found::Record) return;
  platform::DoEvents();
  Image7->setPicture(mugshotOf(env.programDirectory, typed));
}

void Form1::Text3_Click() {
  Text1->resize(Text1->width(), Text1Height);
  Text3->clear();
  Text4->clear();
  logshown = 0;
  Image7->clearPicture();
}

void Form1::Text3_KeyPress(int keyascii) {
  if (keyascii == KeyEnter) Label48_Click();
  if (keyascii == KeyEscape) Text3->clear();
}

void Form1::Text4_Change() {
  Command2->setEnabled(Text4->text() != loginfo && !Text3->text().isEmpty());
  if (Text4->text().isEmpty()) Image7->clearPicture();
}

void Form1::Command2_Click() {
  if (Text3->text().isEmpty() || Text4->text().isEmpty()) return focusEndOf(Text4);
  logmsganswer = env.dialogs->MsgBox(QStringLiteral("Save ") + quotedRecord(*this), vb::YesNoCancel, Question);
  if (logmsganswer == vb::Cancel) Text4->setText(loginfo);
  if (logmsganswer != vb::Yes) return focusEndOf(Text4);
  const logbook::Saved saved = logbook::savedLog(logtext, logupper, Text3->text(), Text4->text());
  if (!writeCallLog(saved.log)) return focusEndOf(Text4);
  setLogText(saved.log);
  // The box shows the line as the log now holds it.
  loginfo = logbook::cleanRecordText(Text4->text());
  Text4->setText(loginfo);
  Command2->setEnabled(false);
  focusEndOf(Text4);
}

void Form1::Command9_Click() {
  if (logshown == 0) {
    Text3->clear();
    Text4->clear();
    Text3->setFocus();
    return;
  }
  if (Text4->text() != loginfo) {
    Text4->setText(loginfo);
    return focusEndOf(Text4);
  }
  if (logbook::lookUp(logtext, logupper, Text3->text()).found == logbook::Found::Record) {
    logmsganswer = env.dialogs->MsgBox(QStringLiteral("Delete ") + quotedRecord(*this), DeleteQuestion, Question);
    if (logmsganswer != vb::Yes) return focusEndOf(Text4);
    const QString remaining = logbook::deletedLog(logtext, logupper, Text3->text());
    if (!writeCallLog(remaining)) return focusEndOf(Text4);
    setLogText(remaining);
  }
  loginfo.clear();
  Text3->clear();
  Text4->clear();
  Text3->setFocus();
}

bool Form1::writeCallLog(const QString& log) {
  const QString directory = QDir::toNativeSeparators(env.programDirectory);
  if (leftAlone(LogFileName)) {
    env.dialogs->MsgBox(QStringLiteral("The call log \"logdata\" in ") + directory +
                            QStringLiteral(" could not be read at start-up, so it is not written over.\r\n"
                                           "Nothing was changed."),
                        vb::OKOnly, LogTitle);
    return false;
  }
  if (writeWholeFile(QDir(env.programDirectory).filePath(LogFileName), logbook::logFileBytes(log))) return true;
  env.dialogs->MsgBox(QStringLiteral("Could not write the call log \"logdata\" in ") + directory +
                          QStringLiteral(".\r\nThe log is as it was."),
                      vb::OKOnly, LogTitle);
  return false;
}

void Form1::Image7_MouseDown(int, int, double, double) {
  if (!Image7->hasPicture()) return;
  dragsource = drag::Mugshot;
  giveNormalIcon(Image7);
  beginDrag(Image7);
}
