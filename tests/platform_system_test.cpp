#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/dialogs.h"
#include "platform/system.h"

namespace {

// Only a live holder of the lock is a second instance; a folder that cannot hold the lock file
// (a plain file, a read-only folder) must let the program start.
TEST(InstanceLockTest, OnlyALiveHolderKeepsASecondCopyOut) {
  QTemporaryDir tmp;
  const QString plainFile = tmp.filePath(QStringLiteral("plain")), readOnly = tmp.filePath(QStringLiteral("readonly"));
  ASSERT_TRUE(QFile(plainFile).open(QIODevice::WriteOnly));
  ASSERT_TRUE(QDir().mkpath(readOnly));
  QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
  platform::InstanceLock first, second, onFile, onReadOnly;
  ASSERT_TRUE(first.tryLock(tmp.path()));
  EXPECT_FALSE(second.tryLock(tmp.path()));
  EXPECT_TRUE(onFile.tryLock(plainFile));
  EXPECT_TRUE(onReadOnly.tryLock(readOnly));
  if (geteuid() != 0) EXPECT_FALSE(QFile::exists(readOnly + QStringLiteral("/marvane.lock")));
}

// Every style shows the icon it names, a style without one none, and keeps its default button.
TEST(MessageBoxTest, ShowsTheIconOfItsStyle) {
  using B = QMessageBox;
  const struct { int style; B::Icon icon; B::StandardButton defaultButton; } cases[] = {
      {0, B::NoIcon, B::Ok}, {16, B::Critical, B::Ok}, {32 + 3, B::Question, B::Yes},
      {48, B::Warning, B::Ok}, {64 + 257, B::Information, B::Cancel}, {308, B::Warning, B::No}};
  for (const auto& c : cases) {
    const auto box = buildMessageBox(QStringLiteral("Drive not ready."), c.style, QString());
    EXPECT_EQ(std::tuple(box->icon(), box->iconPixmap().isNull(), box->standardButton(box->defaultButton())),
              std::tuple(c.icon, c.icon == B::NoIcon, c.defaultButton))
        << c.style;
  }
}

}  // namespace
