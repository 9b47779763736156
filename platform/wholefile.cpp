#include "platform/wholefile.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

std::optional<QByteArray> readWholeFile(const QString& path, QString* reason) {
  const auto fail = [&](const QString& why) -> std::optional<QByteArray> {
    if (reason) *reason = why;
    return std::nullopt;
  };
  const QFileInfo info(path);
  if (info.isDir()) return fail(qt_error_string(EISDIR));
  if (info.exists() && !info.isFile()) return fail(QStringLiteral("not a plain file"));
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return fail(f.errorString());
  QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) return fail(f.errorString());
  return bytes;
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason) {
  QSaveFile f(path);
  const auto fail = [&](const QString& why) {
    if (reason) *reason = why;
    f.cancelWriting();  // the temporary file goes when `f` does
    return false;
  };
  // Unbuffered: QSaveFile's commit would rename the file even when writing out its buffer failed.
  if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(f.errorString());
  // A write that fills the disk partway comes back short without a reason; the next one, which
  // moves nothing, carries the system's.
  for (qint64 done = 0; done < bytes.size();) {
    const qint64 written = f.write(bytes.constData() + done, bytes.size() - done);
    if (written <= 0) return fail(f.errorString());
    done += written;
  }
  // A disk that allocates late reports a full disk only when the data is synced.
  if (::fsync(f.handle()) != 0) return fail(qt_error_string(errno));
  if (!f.commit()) return fail(f.errorString());
  return true;
}

std::optional<QString> keepCopy(const QString& path, const QByteArray& bytes, const QString& suffix, QString* reason) {
  constexpr int MostCopies = 1000;
  for (int n = 1; n <= MostCopies; ++n) {
    const QFileInfo copy(path + u'.' + suffix + (n > 1 ? u'-' + QString::number(n) : QString()));
    if (!copy.exists() && !copy.isSymLink()) {
      if (!writeWholeFile(copy.filePath(), bytes, reason)) return std::nullopt;
      return copy.fileName();
    }
    if (copy.isFile() && !copy.isSymLink() && copy.size() == bytes.size() && readWholeFile(copy.filePath()) == bytes)
      return copy.fileName();
  }
  if (reason) *reason = QStringLiteral("%1 copies are there already").arg(MostCopies);
  return std::nullopt;
}

std::optional<QByteArray> FilesLeftAlone::read(const QString& path, QString* reason) {
  QString why;
  std::optional<QByteArray> bytes = readWholeFile(path, &why);
  if (!bytes && QFileInfo::exists(path)) causes_.insert(path, {Cause::Unread, why});
  if (reason) *reason = why;
  return bytes;
}

std::optional<QString> FilesLeftAlone::keepCopyOrLeave(const QString& path, const QByteArray& bytes, const QString& suffix,
                                                       const QString& guarded, QString* reason) {
  QString why;
  std::optional<QString> copy = keepCopy(path, bytes, suffix, &why);
  if (!copy) causes_.insert(guarded, {Cause::NotKept, why});
  if (reason) *reason = why;
  return copy;
}

std::optional<FilesLeftAlone::Cause> FilesLeftAlone::cause(const QString& path) const {
  const auto found = causes_.constFind(path);
  if (found == causes_.constEnd()) return std::nullopt;
  return *found;
}
