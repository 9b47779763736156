#include "platform/filelists.h"

#include <QDir>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>

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

namespace {

constexpr int FolderRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentPixels = 8;

class IndentedFolders : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem indented = option;
    indented.rect.setLeft(option.rect.left() + indent(index));
    QStyledItemDelegate::paint(painter, indented, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(index), 0);
  }
 private:
  static int indent(const QModelIndex& index) { return index.data(DepthRole).toInt() * IndentPixels; }
};

// The open folder and those above it, root first.
QStringList foldersDownTo(const QString& folder) {
  QStringList chain;
  QDir d(folder);
  do {
    chain.prepend(d.absolutePath());
  } while (d.cdUp());
  return chain;
}

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new IndentedFolders(this));
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { setPath(folderAt(row(item))); });
}

QString DirListBox::folderAt(int row) const {
  const QListWidgetItem* it = item(row);
  return it ? it->data(FolderRole).toString() : QString();
}

bool DirListBox::setPath(const QString& dir) {
  const QFileInfo info(dir);
  if (!info.isDir()) return false;
  const QString absolute = QDir(dir).canonicalPath();
  if (absolute == path_) return true;
  path_ = absolute;
  clear();
  const auto add = [this](const QString& folder, int depth, QStyle::StandardPixmap icon) {
    const QString name = QDir(folder).isRoot() ? folder : QFileInfo(folder).fileName();
    auto* entry = new QListWidgetItem(style()->standardIcon(icon), name, this);
    entry->setData(FolderRole, folder);
    entry->setData(DepthRole, depth);
  };
  const QStringList chain = foldersDownTo(path_);
  for (int depth = 0; depth < chain.size(); ++depth) add(chain[depth], depth, QStyle::SP_DirOpenIcon);
  const QDir open(path_);
  for (const QString& sub : open.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
    add(open.absoluteFilePath(sub), int(chain.size()), QStyle::SP_DirClosedIcon);
  setCurrentRow(int(chain.size()) - 1);
  scrollToItem(currentItem(), QAbstractItemView::PositionAtCenter);
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

namespace platform {

QStringList directoryListing(const QString& dir) {
  QStringList names = QDir(dir).entryList(QDir::Files | QDir::Readable, QDir::Unsorted);
  // That file system cannot hold two names equal but for case; here they keep one fixed order.
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const QString upperA = a.toUpper(), upperB = b.toUpper();
    return upperA != upperB ? upperA < upperB : a < b;
  });
  return names;
}

}  // namespace platform
