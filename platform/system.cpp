#include "platform/system.h"

#include <fcntl.h>
#include <sys/file.h>
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

// An advisory lock on the data folder itself: taking it writes nothing, so a full disk or a
// read-only folder is guarded like any other, and no lock file can be left behind. Only a folder
// that cannot be opened at all (or a file system without locks) lets the program run unguarded;
// the shut-down then reports the files it could not write.
bool InstanceLock::tryLock(const QString& directory) {
  release();
  folder_ = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0 || ::flock(folder_, LOCK_EX | LOCK_NB) == 0) return true;
  const bool heldElsewhere = errno == EWOULDBLOCK;
  release();
  return !heldElsewhere;
}

void InstanceLock::release() {
  if (folder_ >= 0) ::close(folder_);
  folder_ = -1;
}

}  // namespace platform
