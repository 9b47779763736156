#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The call log is one text of records, newest first: each record is CR LF, the callsign, one
// blank and the information line. Apart from the CR LF that lead into records it holds no
// control character (below 32, or 127) and no double quote, because "logdata" keeps it as one
// quoted item.
//
// Functions that search take `logupper` beside the log: it must be upperCopy(log), kept by the
// caller so that a lookup while typing does not capitalise the whole log again.
namespace logbook {

// The log read from the bytes of "logdata", whether reading had to mend the file to get it, and
// whether the file holds no log at all: no double quote, whatever its bytes (nothing, blanks, zero
// or control bytes, stray text: what a crash or a write cut short leaves), or quotes around no
// station and without the program's own empty log `""`.
struct LogFile {
  QString log;
  bool repaired = false;
  bool lost = false;
};

// Reads "logdata": the log is what stands between the first and the last double quote (inner
// ones become single quotes), or all after a lone quote; lines before the first or after the
// last quote are records too. A file without a quote is `lost` whatever it holds, yet its lines
// are read as records all the same, for a caller that has no better log. Any line break ends a
// record; control characters become blanks, empty and blank lines go, and a record without
// information gets the blank after its callsign. A log in the file's own form, in UTF-8, reads as
// written, with `repaired` false, as does a file written on Windows in its code page; a UTF-8 file
// with bytes that are no UTF-8 among its characters counts as repaired.
LogFile readLogFile(const QByteArray& bytes);

// The bytes of "logdata" for `log`: a double quote, the log, a double quote and CR LF.
QByteArray logFileBytes(const QString& log);

// `text` made fit to stand in a record: double quotes become single ones, control characters
// blanks. Whatever enters the log passes through here.
QString cleanRecordText(const QString& text);

// Capitals character for character (no letter grows into two), so that a position in the copy
// is the same position in the log.
QString upperCopy(const QString& text);

// The record that holds position `at` of a log, or of its upperCopy: it starts after the line
// break before `at` (or at the log's start) and ends at the line break from `at` on (or at the
// log's end).
qsizetype recordStart(const QString& log, qsizetype at);
qsizetype recordEnd(const QString& log, qsizetype at);

// What the callsign box's text is in the log.
enum class Found {
  Nothing,        // empty, or nowhere in the log
  InsideText,     // only inside records, never at a record's start
  StartOfLonger,  // the beginning of a longer logged callsign, but no callsign of its own
  Record,         // a logged callsign; `info` is its information line
};
struct Lookup {
  Found found = Found::Nothing;
  QString info;
};

// Looks up the callsign `typed`, case-blind. A record is only ever found as CR LF, the callsign
// and a blank, so a callsign inside another record or at the start of a longer one hides no
// station.
Lookup lookUp(const QString& log, const QString& logupper, const QString& typed);

// The log after Save Call: the record of `callsign` (case-blind) replaced in place by the
// callsign in capitals, a blank and `info`, or, without one, that record put in front. Both
// texts are cleaned first; records of any length are replaced whole. `callsign` is not empty.
struct Saved {
  QString log;
  bool replaced = false;
};
Saved savedLog(const QString& log, const QString& logupper, const QString& callsign, const QString& info);

// The log after Delete Call: the record of `callsign` (case-blind) and the line break before it
// removed, so that no character of a neighbouring record goes; the log unchanged without one.
QString deletedLog(const QString& log, const QString& logupper, const QString& callsign);

// Whether `log` has a record of every callsign (case-blind) that has one in `other`: with it, a
// file holding `other` holds no station that `log` does not.
bool holdsEveryStation(const QString& log, const QString& other);

// The mugshot files of `callsign` among the names of the program directory's files, matched
// case-blind, in the order of the picture extensions. None for a callsign that could name a
// file elsewhere ("/", "\" or "..").
QStringList mugshotFiles(const QString& callsign, const QStringList& directoryEntries);

}  // namespace logbook
