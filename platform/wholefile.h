#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <utility>

// Whole files, read or written in one go. Every file Marvane writes goes through writeWholeFile.

// Reads a whole file; nothing when it is missing, unreadable or no plain file (a folder, or a pipe,
// which would hold the reader until something writes to it), with the system's reason in `reason`
// when given.
std::optional<QByteArray> readWholeFile(const QString& path, QString* reason = nullptr);

// Writes a whole file through a temporary file beside it that takes the old file's place only
// once every byte is on the disk, so that a failed write (a full disk, a file too large) leaves
// the old file as it was and no temporary file behind. False when the file could not be written,
// with the system's reason in `reason` when given.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// Keeps `bytes`, read from `path`, in a new file beside it: `path` with `suffix` ("logdata.damaged"),
// then numbered ("logdata.damaged-2" and on). A name already in use is never written over, so no
// later copy destroys an earlier one; one that holds these very bytes is taken as it is, so a file
// found the same way at every start is kept once. The name of the copy, or nothing with the
// system's reason.
std::optional<QString> keepCopy(const QString& path, const QByteArray& bytes, const QString& suffix,
                                QString* reason = nullptr);

// The files a run found at its start but could not read (no permission, a read error, a folder or
// a pipe in their place), and any other the run must not write: each holds what nothing in the
// run knows, so writing it over would destroy it.
class FilesLeftAlone {
 public:
  // Why a file is left alone, so that a refusal to write it names its true cause.
  struct Cause {
    // It could not be read; a copy of what it held could not be made; another file that may hold
    // what it lacks could not be read, so writing it could make that file's content the last of it.
    enum Kind { Unread, NotKept, OtherUnread } kind;
    QString reason;  // the system's reason
  };
  // readWholeFile; a file that is there but cannot be read is left alone from now on.
  std::optional<QByteArray> read(const QString& path, QString* reason = nullptr);
  // keepCopy of `bytes`, read from `path`; when no copy can be made, `guarded` (the file that
  // holds them, or whose writing would replace the last place they are in) is left alone instead.
  std::optional<QString> keepCopyOrLeave(const QString& path, const QByteArray& bytes, const QString& suffix,
                                         const QString& guarded, QString* reason);
  // Leaves `path` alone for a cause of the caller's own.
  void leave(const QString& path, Cause cause) { causes_.insert(path, std::move(cause)); }
  bool contains(const QString& path) const { return causes_.contains(path); }
  std::optional<Cause> cause(const QString& path) const;

 private:
  QHash<QString, Cause> causes_;
};
