#include "platform/system.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
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

bool InstanceLock::tryLock(const QString& directory) {
  lock_ = std::make_unique<QLockFile>(directory + QLatin1String("/marvane.lock"));
  // Never stale by age (a running instance keeps it for hours); a lock whose process is gone
  // is taken over all the same.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) return true;
  // Only a lock held by a live process means another copy runs. A folder that cannot take the
  // lock file (read-only, or a plain file in its place) must not keep the operator out: the
  // program runs unguarded and the shut-down reports the files it could not write.
  return lock_->error() != QLockFile::LockFailedError;
}

}  // namespace platform
