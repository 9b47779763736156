#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/filelists.h"
#include "tests/support/checks.h"

namespace {

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
