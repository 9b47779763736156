#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/dialogs.h"
#include "platform/system.h"

namespace {

// Only a live holder keeps a second copy out, also on a folder where nothing can be written; taking
// the lock leaves no file behind. A path that is no folder lets the program start unguarded.
TEST(InstanceLockTest, OnlyALiveHolderKeepsASecondCopyOut) {
  QTemporaryDir tmp;
  const QString plainFile = tmp.filePath(QStringLiteral("plain")), readOnly = tmp.filePath(QStringLiteral("readonly"));
  ASSERT_TRUE(QFile(plainFile).open(QIODevice::WriteOnly));
  ASSERT_TRUE(QDir().mkpath(readOnly));
  QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
  for (const QString& folder : {tmp.path(), readOnly}) {
    auto first = std::make_unique<platform::InstanceLock>();
    platform::InstanceLock second;
    ASSERT_TRUE(first->tryLock(folder));
    EXPECT_FALSE(second.tryLock(folder));
    first.reset();
    EXPECT_TRUE(second.tryLock(folder));
  }
  EXPECT_EQ(QDir(readOnly).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
  platform::InstanceLock onFile;
  EXPECT_TRUE(onFile.tryLock(plainFile));
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
