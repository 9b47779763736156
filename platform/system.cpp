#include "platform/system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <cerrno>
#include <cmath>

namespace platform {

void DoEvents() { QCoreApplication::processEvents(); }

quint32 GetTickCount() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return quint32(clock.elapsed());
}

int twipsPerPixelX() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  return int(std::lround(1440.0 / dpi));
}

double screenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchX() * screen->devicePixelRatio() : 96.0;
}

QString programDirectory() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) base = QDir::homePath() + QLatin1String("/.local/share");
  const QString dir = base + QLatin1String("/marvane");
  QDir().mkpath(dir);
  return dir;
}

QString winePrefix() {
  const QString prefix = qEnvironmentVariable("WINEPREFIX");
  return prefix.isEmpty() ? QDir::homePath() + QLatin1String("/.wine") : prefix;
}

namespace {

// Finds `name` in `dir` ignoring case, as Windows programs under Wine name their folders.
QString matchCaseInsensitive(const QDir& dir, const QString& name) {
  if (dir.exists(name)) return name;
  const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QString& e : entries)
    if (e.compare(name, Qt::CaseInsensitive) == 0) return e;
  return name;
}

}  // namespace

QString resolveWindowsPath(const QString& path) {
  if (path.size() < 2 || path[1] != QLatin1Char(':') || !path[0].isLetter()) return path;
  QString drive = QStringLiteral("drive_") + path[0].toLower();
  QString resolved = winePrefix() + QLatin1Char('/') + drive;
  const QStringList parts = path.mid(2).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
  for (const QString& part : parts) resolved += QLatin1Char('/') + matchCaseInsensitive(QDir(resolved), part);
  return resolved;
}

namespace {

enum class Lock { Taken, HeldElsewhere, Refused };

// An exclusive advisory lock on an open file or folder, which is closed unless taken; `error`
// gets the system's reason for a refusal.
Lock lockExclusively(int fd, int* error) {
  if (fd < 0) {
    *error = errno;
    return Lock::Refused;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return Lock::Taken;
  *error = errno;
  ::close(fd);
  return *error == EWOULDBLOCK ? Lock::HeldElsewhere : Lock::Refused;
}

// Whether `path` itself, not a link to it nor a file made in its place since, names the open file.
bool stillNamed(int fd, const char* path) {
  struct stat opened, named;
  return ::fstat(fd, &opened) == 0 && ::lstat(path, &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

}  // namespace

// An advisory lock on the data folder itself: taking it writes nothing, so a full disk or a
// read-only folder is guarded like any other. A folder that cannot be opened for reading, or
// whose file system refuses to lock it (a network file system locks only files open for writing),
// is guarded by a lock file inside it, removed again at the end of the run.
InstanceLock::Refusal InstanceLock::tryLock(const QString& directory) {
  release();
  const QByteArray folder = QFile::encodeName(directory);
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int error = 0;
  switch (lockExclusively(fd, &error)) {
    case Lock::Taken:
      held_ = fd;
      return Refusal::None;
    case Lock::HeldElsewhere: return Refusal::HeldElsewhere;
    case Lock::Refused: break;
  }
  return tryLockFile(folder + "/.marvane.lock");
}

// Only a folder where the lock file cannot be made lets the program run unguarded: every file
// Marvane writes is made anew, so nothing can be written there either. A lock file that is there
// but cannot be locked (a folder, a link, a file this user may not write, a file system without
// locks) would let a second copy in unseen, so it refuses the start. A file removed by the holder
// that let it go just as it was opened is opened again; one replaced on every attempt is being
// taken by another copy.
InstanceLock::Refusal InstanceLock::tryLockFile(const QByteArray& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int openError = errno;
    struct stat named;
    if (fd < 0 && ::lstat(path.constData(), &named) != 0) return Refusal::None;
    if (fd < 0)
      return unusable(path, S_ISLNK(named.st_mode) ? QStringLiteral("a symbolic link") : qt_error_string(openError));
    int error = 0;
    const Lock lock = lockExclusively(fd, &error);
    if (lock == Lock::HeldElsewhere) return Refusal::HeldElsewhere;
    if (lock == Lock::Refused) return unusable(path, qt_error_string(error));
    if (stillNamed(fd, path.constData())) {
      held_ = fd;
      lockFile_ = path;
      return Refusal::None;
    }
    ::close(fd);
  }
  return Refusal::HeldElsewhere;
}

InstanceLock::Refusal InstanceLock::unusable(const QByteArray& path, const QString& reason) {
  unusableFile_ = QFile::decodeName(path);
  unusableReason_ = reason;
  return Refusal::UnusableLockFile;
}

// The lock file goes while it is still locked, so whoever opened it meanwhile takes the lock only
// after its name has gone, and then opens the file anew. It goes only while the name is still
// this file's: one removed by hand and made again by a later copy is that copy's lock.
void InstanceLock::release() {
  if (!lockFile_.isEmpty() && stillNamed(held_, lockFile_.constData())) ::unlink(lockFile_.constData());
  if (held_ >= 0) ::close(held_);
  held_ = -1;
  lockFile_.clear();
  unusableFile_.clear();
  unusableReason_.clear();
}

}  // namespace platform
