#include "platform/filelists.h"

#include <QDir>
#include <QMouseEvent>

#include "platform/controls.h"
#include "platform/system.h"

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {}

bool FileListBox::setPath(const QString& dir) {
  const QFileInfo info(dir);
  if (!info.isDir() || !info.isReadable()) return false;
  path_ = QDir(dir).absolutePath();
  refresh();
  return true;
}

void FileListBox::setPattern(const QString& semicolonSeparated) {
  pattern_ = semicolonSeparated;
  refresh();
}

void FileListBox::refresh() {
  clear();
  if (path_.isEmpty()) return;
  const QStringList filters = pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  QDir dir(path_);
  dir.setNameFilters(filters);
  dir.setFilter(QDir::Files | QDir::Readable);
  dir.setSorting(QDir::Name | QDir::IgnoreCase);
  addItems(dir.entryList());
}

void FileListBox::mouseReleaseEvent(QMouseEvent* e) {
  QListWidget::mouseReleaseEvent(e);
  emit mouseUp(platform::vbButton(e->button()), platform::shiftState(e->modifiers()), e->position().x(),
               e->position().y());
}

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    setPath(QDir(path_).absoluteFilePath(item->text()));
  });
}

bool DirListBox::setPath(const QString& dir) {
  const QFileInfo info(dir);
  if (!info.isDir()) return false;
  const QString absolute = QDir(dir).canonicalPath();
  if (absolute == path_) return true;
  path_ = absolute;
  clear();
  QDir d(path_);
  if (!d.isRoot()) addItem(QStringLiteral(".."));
  addItems(d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
  emit change();
  return true;
}

namespace {

const QString RootDrive = QStringLiteral("/");

QString wineDosDevices() { return platform::winePrefix() + QStringLiteral("/dosdevices"); }

// "c:" and the like; "c::" names a raw device, not a folder.
bool isDriveLetter(const QString& name) {
  return name.size() == 2 && name[0].isLetter() && name[1] == QLatin1Char(':');
}

bool holds(const QString& folder, const QString& path) {
  return path == folder || path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

}  // namespace

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent), dosdevices_(wineDosDevices()) {
  addItem(RootDrive);
  QDir devices(dosdevices_);
  const QStringList entries = devices.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& name : entries)
    if (isDriveLetter(name)) addItem(name.toLower());
  connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &DriveListBox::change);
}

QString DriveListBox::root() const {
  if (drive() == RootDrive) return RootDrive;
  return QFileInfo(dosdevices_ + QLatin1Char('/') + drive()).canonicalFilePath();
}

QString DriveListBox::driveOf(const QString& path) const {
  const QFileInfo info(path);
  const QString target = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
  int best = 0;
  qsizetype bestLength = -1;
  for (int i = 1; i < count(); ++i) {
    const QString folder = QFileInfo(dosdevices_ + QLatin1Char('/') + itemText(i)).canonicalFilePath();
    if (!folder.isEmpty() && folder.size() > bestLength && holds(folder, target)) {
      best = i;
      bestLength = folder.size();
    }
  }
  return itemText(best);
}

void DriveListBox::setDrive(const QString& path) { setCurrentIndex(findText(driveOf(path))); }
