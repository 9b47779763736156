#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>

// The file, directory and drive lists of the picture browser. Setting a path or a drive from code
// raises the same `change` signal as the operator's choice, and only a real change does.

class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QWidget* parent);
  QString path() const { return path_; }
  // Shows the files of `dir` that match the pattern; false (and nothing changed) when `dir` is no
  // readable directory.
  bool setPath(const QString& dir);
  QString pattern() const { return pattern_; }
  void setPattern(const QString& semicolonSeparated);
  void refresh();
 signals:
  void mouseUp(int button, int shift, double x, double y);
 protected:
  void mouseReleaseEvent(QMouseEvent*) override;
 private:
  QString path_;
  QString pattern_ = QStringLiteral("*.*");
};

// As the system's folder list: every folder from the root down to the open one, each indented
// below its parent, then the open folder's subfolders one step further in. The open folder is the
// current row; a double-click opens the folder clicked.
class DirListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit DirListBox(QWidget* parent);
  QString path() const { return path_; }
  bool setPath(const QString& dir);
  // The folder row `row` stands for.
  QString folderAt(int row) const;
 signals:
  void change();
 private:
  QString path_;
};

// Lists "/" and the drive letters of the Wine prefix ($WINEPREFIX, default ~/.wine), under which
// the external SSTV programs see the disk: each letter of its dosdevices folder stands for the
// folder its link points to.
class DriveListBox : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveListBox(QWidget* parent);
  // The chosen drive: "/" or a letter such as "c:".
  QString drive() const { return currentText(); }
  // The folder the chosen drive stands for; empty when it is not ready (its folder is missing).
  QString root() const;
  // The drive whose folder holds `path` most closely; "/" when no letter holds it.
  QString driveOf(const QString& path) const;
  // Selects driveOf(path).
  void setDrive(const QString& path);
 signals:
  void change();
 private:
  QString dosdevices_;
};

namespace platform {

// The ordinary files of `dir` in the platform's directory order: sorted by their upper-case form,
// as the file system the external programs were written for keeps its names.
QStringList directoryListing(const QString& dir);

}  // namespace platform
