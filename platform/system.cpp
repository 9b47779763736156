#include "platform/system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/fsuid.h>
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
#include <optional>

namespace platform {

namespace {
int doEventsDepth = 0;
}  // namespace

void DoEvents() {
  ++doEventsDepth;
  QCoreApplication::processEvents();
  --doEventsDepth;
}

bool insideDoEvents() { return doEventsDepth > 0; }

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

// Unmade: the file is not there and cannot be made.
enum class Lock { Taken, HeldElsewhere, Refused, Unmade };

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

// What a lock file that is neither a plain file nor a folder is, in the words of a refusal.
QString kindOf(mode_t mode) {
  if (S_ISLNK(mode)) return QStringLiteral("a symbolic link");
  if (S_ISFIFO(mode)) return QStringLiteral("a named pipe");
  if (S_ISSOCK(mode)) return QStringLiteral("a socket");
  return QStringLiteral("a device");
}

// Why the lock file at `path` could not be opened, told by the kind of file it is when the
// system's reason would not say it.
Lock cannotOpen(const char* path, QString* reason) {
  const int openError = errno;
  struct stat named;
  if (::lstat(path, &named) != 0) return Lock::Unmade;
  *reason = S_ISREG(named.st_mode) || S_ISDIR(named.st_mode) ? qt_error_string(openError) : kindOf(named.st_mode);
  return Lock::Refused;
}

// Why an opened file cannot carry the lock. Only a plain file can: the kind is told by the open
// file itself, so nothing put in its place meanwhile is trusted. When an owner is asked for, it
// must be theirs.
QString unfitForLock(int fd, std::optional<uid_t> owner) {
  struct stat opened;
  if (::fstat(fd, &opened) != 0) return qt_error_string(errno);
  if (!S_ISREG(opened.st_mode)) return kindOf(opened.st_mode);
  if (owner && opened.st_uid != *owner) return QStringLiteral("another user's file");
  return QString();
}

// Locks the file named `path`, made when missing, and leaves it open in `held` when taken;
// `reason` tells why a Refused one cannot be used. Opening never follows a link nor waits for a
// pipe's other end, so no file put there can hang the start. A file removed by the holder that
// let it go just as it was opened is opened again; one replaced on every attempt is being taken
// by another copy.
Lock lockNamedFile(const QByteArray& path, std::optional<uid_t> owner, int* held, QString* reason) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return cannotOpen(path.constData(), reason);
    *reason = unfitForLock(fd, owner);
    if (!reason->isEmpty()) {
      ::close(fd);
      return Lock::Refused;
    }
    int error = 0;
    const Lock lock = lockExclusively(fd, &error);
    if (lock != Lock::Taken) {
      *reason = qt_error_string(error);
      return lock;
    }
    if (stillNamed(fd, path.constData())) {
      *held = fd;
      return Lock::Taken;
    }
    ::close(fd);
  }
  return Lock::HeldElsewhere;
}

// The owner the system gives the files this thread makes: setfsuid with no valid user changes
// nothing and tells it.
uid_t fileOwner() { return uid_t(::setfsuid(uid_t(-1))); }

}  // namespace

// The folder's own locks need reading it or writing in it, so a copy started after its mode
// changed would miss them. Every start therefore first takes a lock of this user kept outside the
// folder, named after the folder's identity, which stat() gives whatever the folder's mode. The
// folder's own lock still guards it against copies of other users or on other machines.
InstanceLock::Refusal InstanceLock::tryLock(const QString& directory) {
  release();
  const QByteArray folder = QFile::encodeName(directory);
  if (tryLockForUser(folder) == Refusal::HeldElsewhere) return Refusal::HeldElsewhere;
  const Refusal refusal = tryLockFolder(folder);
  if (refusal != Refusal::None) forUser_.release();
  return refusal;
}

// Shared memory is there on every start and forgets its files at a restart. Anyone may make a file
// there under this name, so one that is not this user's own plain file keeps no copy out and holds
// no lock: the folder's own lock guards it alone, as it does where nothing can be made there.
InstanceLock::Refusal InstanceLock::tryLockForUser(const QByteArray& folder) {
  struct stat id;
  if (::stat(folder.constData(), &id) != 0) return Refusal::None;
  const uid_t owner = fileOwner();
  const QByteArray path = QStringLiteral("/dev/shm/marvane-%1-%2-%3.lock")
                              .arg(QString::number(owner), QString::number(id.st_dev), QString::number(id.st_ino))
                              .toLatin1();
  QString reason;
  const Lock lock = lockNamedFile(path, owner, &forUser_.fd, &reason);
  if (lock == Lock::Taken) forUser_.name = path;
  return lock == Lock::HeldElsewhere ? Refusal::HeldElsewhere : Refusal::None;
}

// An advisory lock on the data folder itself: taking it writes nothing, so a full disk or a
// read-only folder is guarded like any other. A folder that cannot be opened for reading, or
// whose file system refuses to lock it (a network file system locks only files open for writing),
// is guarded by a lock file inside it, removed again at the end of the run.
InstanceLock::Refusal InstanceLock::tryLockFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int error = 0;
  switch (lockExclusively(fd, &error)) {
    case Lock::Taken:
      folder_.fd = fd;
      return Refusal::None;
    case Lock::HeldElsewhere: return Refusal::HeldElsewhere;
    case Lock::Refused:
    case Lock::Unmade: break;
  }
  return tryLockFile(folder + "/.marvane.lock");
}

// Only a folder where the lock file cannot be made lets the program run unguarded: every file
// Marvane writes is made anew, so nothing can be written there either. A lock file that is there
// but cannot be locked (a folder, a link, a pipe, a file this user may not write, a file system
// without locks) would let a second copy in unseen, so it refuses the start.
InstanceLock::Refusal InstanceLock::tryLockFile(const QByteArray& path) {
  QString reason;
  switch (lockNamedFile(path, std::nullopt, &folder_.fd, &reason)) {
    case Lock::Taken:
      folder_.name = path;
      return Refusal::None;
    case Lock::HeldElsewhere: return Refusal::HeldElsewhere;
    case Lock::Refused: return unusable(path, reason);
    case Lock::Unmade: break;
  }
  return Refusal::None;
}

InstanceLock::Refusal InstanceLock::unusable(const QByteArray& path, const QString& reason) {
  unusableFile_ = QFile::decodeName(path);
  unusableReason_ = reason;
  return Refusal::UnusableLockFile;
}

// A lock file goes while it is still locked, so whoever opened it meanwhile takes the lock only
// after its name has gone, and then opens the file anew. It goes only while the name is still
// this file's: one removed by hand and made again by a later copy is that copy's lock.
void InstanceLock::Held::release() {
  if (!name.isEmpty() && stillNamed(fd, name.constData())) ::unlink(name.constData());
  if (fd >= 0) ::close(fd);
  fd = -1;
  name.clear();
}

void InstanceLock::release() {
  folder_.release();
  forUser_.release();
  unusableFile_.clear();
  unusableReason_.clear();
}

}  // namespace platform
