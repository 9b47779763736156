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

// An exclusive advisory lock on an open file or folder, which is closed unless taken.
Lock lockExclusively(int fd) {
  if (fd < 0) return Lock::Refused;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return Lock::Taken;
  const Lock refused = errno == EWOULDBLOCK ? Lock::HeldElsewhere : Lock::Refused;
  ::close(fd);
  return refused;
}

// Whether `path` still names the open file: a holder removes its lock file as it lets go.
bool stillNamed(int fd, const char* path) {
  struct stat opened, named;
  return ::fstat(fd, &opened) == 0 && ::stat(path, &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

}  // namespace

// An advisory lock on the data folder itself: taking it writes nothing, so a full disk or a
// read-only folder is guarded like any other. A folder that cannot be opened for reading, or
// whose file system refuses to lock it (a network file system locks only files open for writing),
// is guarded by a lock file inside it, removed again at the end of the run. Only a folder where
// neither can be had lets the program run unguarded; the shut-down then reports the files it
// could not write.
bool InstanceLock::tryLock(const QString& directory) {
  release();
  const QByteArray folder = QFile::encodeName(directory);
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const Lock lock = lockExclusively(fd);
  if (lock == Lock::Taken) held_ = fd;
  if (lock != Lock::Refused) return lock == Lock::Taken;
  return tryLockFile(folder + "/.marvane.lock");
}

// A file removed by the holder that let it go just as it was opened is opened again, a few times
// at most.
bool InstanceLock::tryLockFile(const QByteArray& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const Lock lock = lockExclusively(fd);
    if (lock != Lock::Taken) return lock != Lock::HeldElsewhere;
    if (stillNamed(fd, path.constData())) {
      held_ = fd;
      lockFile_ = path;
      return true;
    }
    ::close(fd);
  }
  return true;
}

// The lock file goes while it is still locked: whoever opened it meanwhile takes the lock only
// after its name has gone, and then opens the file anew.
void InstanceLock::release() {
  if (!lockFile_.isEmpty()) ::unlink(lockFile_.constData());
  if (held_ >= 0) ::close(held_);
  held_ = -1;
  lockFile_.clear();
}

}  // namespace platform
