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

QString repairedMessage(Backup backup, bool logLeftAlone) {
  QString said = QStringLiteral("The call log \"logdata\" was not in its usual form and has been repaired as it was read.");
  if (backup == Backup::KeptOlder) said += QStringLiteral("\r\n\"logdata.bak\" keeps the log of an earlier start.");
  if (backup != Backup::Written && !logLeftAlone)
    said += QStringLiteral("\r\n\"logdata\" itself is left as it is until a call is saved or deleted.");
  return said;
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

// Why Save Call and Delete Call leave the log alone for this run.
QString leftAloneText(const FilesLeftAlone::Cause& cause) {
  switch (cause.kind) {
    case FilesLeftAlone::Cause::Unread:
      return QStringLiteral(" could not be read whole at start-up (") + cause.reason + QStringLiteral("), so it is not written over.");
    case FilesLeftAlone::Cause::NotKept:
      return QStringLiteral(" was damaged, and its bytes could not be kept elsewhere at start-up (") + cause.reason +
             QStringLiteral("), so it is not written over.");
    case FilesLeftAlone::Cause::OtherUnread: break;
  }
  return QStringLiteral(" is left as it was found at start-up: its backup \"logdata.bak\" could not be read then (") +
         cause.reason + QStringLiteral(") and may hold stations it lacks. Start Marvane again with the backup readable.");
}

// One of the log's two files as this start found it.
struct LogRead {
  std::optional<QByteArray> bytes;
  logbook::LogFile file;
  // As Marvane writes it, the program's own empty log included.
  bool sound() const { return bytes && !file.repaired && !file.lost; }
  bool holdsStations() const { return sound() && !file.log.isEmpty(); }
  // More than blanks, and not read as written: only a copy saves what reading threw away.
  bool damaged() const { return bytes && (file.repaired || file.lost) && !bytes->trimmed().isEmpty(); }
};

LogRead readLog(std::optional<QByteArray> bytes) {
  logbook::LogFile file = logbook::readLogFile(bytes.value_or(QByteArray()));
  return {std::move(bytes), std::move(file)};
}

// What an unreadable backup means for this run. Beside a log that is not as Marvane writes it, the
// backup may hold the only copy of stations the log lost: a call saved now would make a sound log
// that the next start backs up over it, so the log is left alone too.
QString backupUnreadText(const LogRead& log, bool logAtRisk) {
  if (!logAtRisk) return QStringLiteral("It is left as it is until Marvane starts with it readable.");
  return QStringLiteral("The call log \"logdata\"") +
         (log.file.lost ? lostState(log.bytes) : QStringLiteral(" was not in its usual form.")) +
         QStringLiteral("\r\nBoth are left as they are until Marvane starts with \"logdata.bak\" readable: Save Call and "
                        "Delete Call write nothing, so that no station of the backup is lost.");
}

// Keeps what this start could not read whole: a damaged log, a backup not taken.
QString keepDamaged(Form1& f, const LogRead& log, const LogRead& backup) {
  QString said;
  const QString damaged = QStringLiteral("damaged");
  if (log.damaged()) said += f.keepOrLeave(LogFileName, *log.bytes, damaged, QStringLiteral("The bytes \"logdata\" held are"), LogFileName);
  if (backup.damaged())
    said += f.keepOrLeave(BackupFileName, *backup.bytes, damaged,
                          QStringLiteral("\"logdata.bak\" was not in its usual form, so no station was taken from it; its bytes are"),
                          BackupFileName);
  return said;
}

// What this start backs up: the log byte for byte as it found it, or, when the log's bytes are
// kept elsewhere, the log as repaired, which the next start then reads as it was written.
QByteArray backupBytes(const LogRead& log) {
  return log.bytes && !log.damaged() ? *log.bytes : logbook::logFileBytes(log.file.log);
}

struct BackupTaken {
  Backup outcome = Backup::KeptOlder;
  QString said;
};

// A log as Marvane writes it goes to "logdata.bak" whatever the backup held: the backup is the log
// of the last start, and what went from the log since went by a Save Call or Delete Call the
// operator confirmed, which can still be undone from the backup until the next start. A lost log
// never takes the place of a backup with stations, which may be their last copy. A repaired log
// takes it once the backup's stations it lacks are kept under a name no later start writes over.
// A backup left alone (unreadable, or its damaged bytes not kept) stays as it is.
BackupTaken takeBackup(Form1& f, const LogRead& log, const LogRead& backup) {
  BackupTaken taken;
  if (f.leftAlone(BackupFileName) || (log.file.lost && backup.holdsStations())) return taken;
  if (!log.sound() && backup.sound() && !logbook::holdsEveryStation(log.file.log, backup.file.log)) {
    taken.said = f.keepOrLeave(BackupFileName, *backup.bytes, QStringLiteral("kept"),
                               QStringLiteral("\"logdata.bak\" held stations the repaired log does not; they are"), BackupFileName);
    if (f.leftAlone(BackupFileName)) return taken;
  }
  QString reason;
  if (writeWholeFile(QDir(f.env.programDirectory).filePath(BackupFileName), backupBytes(log), &reason)) {
    taken.outcome = Backup::Written;
    return taken;
  }
  taken.outcome = Backup::Failed;
  taken.said += QStringLiteral("\r\nThe call log could not be copied to \"logdata.bak\" (") + reason +
                QStringLiteral("); the backup is as it was.");
  return taken;
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

// The log as this start found it goes to "logdata.bak" (takeBackup says when it does not). A log
// that is lost outright (missing, or holding no log at all whatever its bytes) is taken from a
// backup that holds stations, so the next Save Call or Delete Call writes them back. A backup is
// taken only when it reads as a sound log would. A first start leaves the empty log as its
// backup. Whatever is not as it should be is said once, with the names of the copies kept.
void Form1::readCallLog() {
  const LogRead log = readLog(readProgramFile(LogFileName, LogTitle, QStringLiteral("The call log"),
                                              QStringLiteral("No station can be looked up, and Save Call and Delete Call "
                                                             "leave the file alone until Marvane starts with it readable.")));
  const QDir dir(env.programDirectory);
  const bool logAtRisk = !log.sound() && !leftAlone(LogFileName);
  const LogRead backup = readLog(readProgramFile(BackupFileName, LogTitle, QStringLiteral("The backup of the call log"),
                                                 backupUnreadText(log, logAtRisk)));
  if (const auto unread = filesleftalone.cause(dir.filePath(BackupFileName)); unread && logAtRisk)
    filesleftalone.leave(dir.filePath(LogFileName), {FilesLeftAlone::Cause::OtherUnread, unread->reason});
  const bool restored = !leftAlone(LogFileName) && log.file.lost && backup.holdsStations();
  setLogText(restored ? backup.file.log : log.file.log);
  const QString kept = keepDamaged(*this, log, backup);
  const BackupTaken taken = takeBackup(*this, log, backup);
  QString said;
  if (restored) said = restoredMessage(env.programDirectory, log.bytes);
  else if (log.file.repaired) said = repairedMessage(taken.outcome, leftAlone(LogFileName));
  said = (said + kept + taken.said).trimmed();
  if (!said.isEmpty()) env.dialogs->MsgBox(said, vb::OKOnly, LogTitle);
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
  if (const auto cause = filesleftalone.cause(QDir(env.programDirectory).filePath(LogFileName))) {
    env.dialogs->MsgBox(QStringLiteral("The call log \"logdata\" in ") + directory + leftAloneText(*cause) +
                            QStringLiteral("\r\nNothing was changed."),
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
