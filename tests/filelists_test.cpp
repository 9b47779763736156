#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/filelists.h"

namespace {

// A Wine prefix of its own: c: and z: as Wine makes them, d: pointing at a missing disc, and a raw
// device entry that is no drive.
class DriveListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldPrefix = qgetenv("WINEPREFIX");
    const QString devices = prefix.filePath(QStringLiteral("dosdevices"));
    QDir().mkpath(devices);
    QDir().mkpath(prefix.filePath(QStringLiteral("drive_c/users/op")));
    QFile::link(QStringLiteral("../drive_c"), devices + QStringLiteral("/c:"));
    QFile::link(QStringLiteral("/"), devices + QStringLiteral("/z:"));
    QFile::link(prefix.filePath(QStringLiteral("no-disc")), devices + QStringLiteral("/d:"));
    QFile::link(QStringLiteral("/dev/null"), devices + QStringLiteral("/d::"));
    qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
  }
  void TearDown() override { qputenv("WINEPREFIX", oldPrefix); }
  QString driveC() const { return QDir(prefix.filePath(QStringLiteral("drive_c"))).canonicalPath(); }

  QTemporaryDir prefix;
  QByteArray oldPrefix;
};

TEST_F(DriveListTest, ListsRootAndThePrefixLetters) {
  DriveListBox drives(nullptr);
  QStringList items;
  for (int i = 0; i < drives.count(); ++i) items << drives.itemText(i);
  EXPECT_EQ(items, (QStringList{QStringLiteral("/"), QStringLiteral("c:"), QStringLiteral("d:"), QStringLiteral("z:")}));
}

TEST_F(DriveListTest, APathBelongsToTheLetterThatHoldsItMostClosely) {
  DriveListBox drives(nullptr);
  int changes = 0;
  QObject::connect(&drives, &DriveListBox::change, [&] { ++changes; });
  drives.setDrive(driveC() + QStringLiteral("/users/op"));
  EXPECT_EQ(drives.drive(), QStringLiteral("c:"));
  EXPECT_EQ(drives.root(), driveC());
  drives.setDrive(QDir::tempPath());
  EXPECT_EQ(drives.drive(), QStringLiteral("z:"));
  EXPECT_EQ(drives.root(), QStringLiteral("/"));
  EXPECT_EQ(changes, 2);
  drives.setDrive(QDir::tempPath());
  EXPECT_EQ(changes, 2);  // no change, no signal
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
