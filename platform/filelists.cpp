#include "platform/filelists.h"

#include <QDir>
#include <QMouseEvent>
#include <QStorageInfo>

#include "platform/controls.h"

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

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) addItem(volume.rootPath());
  connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &DriveListBox::change);
}

void DriveListBox::setDrive(const QString& path) {
  const QString root = QStorageInfo(path).rootPath();
  int index = findText(root);
  if (index < 0) {
    addItem(root);
    index = count() - 1;
  }
  setCurrentIndex(index);
}
