#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/filelists.h"
#include "tests/support/checks.h"

namespace {

QStringList texts(const QListWidget& list) {
  QStringList all;
  for (int i = 0; i < list.count(); ++i) all << list.item(i)->text();
  return all;
}

// From the root down to the open folder, then its subfolders (hidden ones left out); a
// double-click opens any row, and only a real change signals.
TEST(DirListTest, ShowsTheFoldersDownToTheOpenOneThenItsSubfolders) {
  QTemporaryDir top;
  for (const char* sub : {"a/b2", "a/B1/c", "a/.hidden"}) QDir().mkpath(top.filePath(sub));
  const QString a = QDir(top.filePath("a")).canonicalPath();
  const int openRow = int(a.count(QLatin1Char('/')));
  DirListBox dirs(nullptr);
  int changes = 0;
  QObject::connect(&dirs, &DirListBox::change, [&] { ++changes; });
  const struct { int doubleClicked; QString path; QStringList below; int changes; } steps[] = {
      {-1, a, {"B1", "b2"}, 1},            // set from code
      {openRow + 1, a + "/B1", {"c"}, 2},  // a subfolder
      {openRow, a, {"B1", "b2"}, 3},       // a folder above
      {openRow, a, {"B1", "b2"}, 3},       // the open one
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.changes);
    if (s.doubleClicked < 0)
      dirs.setPath(a);
    else
      emit dirs.itemDoubleClicked(dirs.item(s.doubleClicked));
    const QStringList down = QStringList{"/"} + s.path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    EXPECT_EQ(texts(dirs), down + s.below);
    EXPECT_EQ(std::tuple(dirs.path(), dirs.currentRow(), dirs.folderAt(dirs.currentRow()), changes),
              std::tuple(s.path, int(down.size()) - 1, s.path, s.changes));
  }
}

// Names made in a scrambled order come by their upper-case form: "_" after the letters, as it
// sorts upper-case. Folders and hidden files are no part of it.
TEST(DirectoryListingTest, NamesComeByTheirUpperCaseForm) {
  QTemporaryDir dir;
  for (const char* name : {"b.bmp", "_c.bmp", "A1.bmp", "rx10.bmp", "a.bmp", "RX2.bmp", ".hidden"})
    writeBytes(dir.filePath(name), "x");
  QDir().mkpath(dir.filePath("sub"));
  EXPECT_EQ(platform::directoryListing(dir.path()),
            QStringList({"a.bmp", "A1.bmp", "b.bmp", "rx10.bmp", "RX2.bmp", "_c.bmp"}));
}

// A Wine prefix of its own: c: and z: as Wine makes them, d: pointing at a missing disc, and a raw
// device entry that is no drive.
class DriveListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(prefix.filePath("dosdevices"));
    QDir().mkpath(prefix.filePath("drive_c/users/op"));
    const std::pair<QString, const char*> links[] = {
        {"../drive_c", "c:"}, {"/", "z:"}, {prefix.filePath("no-disc"), "d:"}, {"/dev/null", "d::"}};
    for (const auto& [target, name] : links) QFile::link(target, prefix.filePath("dosdevices/") + name);
  }
  QString driveC() const { return QDir(prefix.filePath(QStringLiteral("drive_c"))).canonicalPath(); }

  QTemporaryDir prefix;
  const ScopedEnv wine{"WINEPREFIX", prefix.path().toLocal8Bit()};
};

// The list holds root and the prefix's letters; a path belongs to the letter that holds it most
// closely, and only a change of drive signals.
TEST_F(DriveListTest, APathBelongsToTheLetterThatHoldsItMostClosely) {
  DriveListBox drives(nullptr);
  QStringList items;
  for (int i = 0; i < drives.count(); ++i) items << drives.itemText(i);
  EXPECT_EQ(items, QStringList({"/", "c:", "d:", "z:"}));
  int changes = 0;
  QObject::connect(&drives, &DriveListBox::change, [&] { ++changes; });
  drives.setDrive(driveC() + QStringLiteral("/users/op"));
  EXPECT_EQ(QStringList({drives.drive(), drives.root()}), QStringList({"c:", driveC()}));
  drives.setDrive(QDir::tempPath());
  EXPECT_EQ(QStringList({drives.drive(), drives.root()}), QStringList({"z:", "/"}));
  drives.setDrive(QDir::tempPath());
  EXPECT_EQ(changes, 2);
}

TEST_F(DriveListTest, ADanglingLetterIsNotReadyAndHoldsNothing) {
  QFile::remove(prefix.filePath(QStringLiteral("dosdevices/z:")));
  DriveListBox drives(nullptr);
  drives.setDrive(QDir::tempPath());
  EXPECT_EQ(drives.drive(), QStringLiteral("/"));
  drives.setCurrentIndex(drives.findText(QStringLiteral("d:")));
  EXPECT_TRUE(drives.root().isEmpty());
  QDir().mkpath(prefix.filePath(QStringLiteral("no-disc")));
  EXPECT_EQ(drives.root(), QDir(prefix.filePath(QStringLiteral("no-disc"))).canonicalPath());
}

}  // namespace
