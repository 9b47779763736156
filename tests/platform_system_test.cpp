#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include <QAbstractButton>
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

// Every style shows the icon it names, a style without one none, beside the buttons it names with
// its default button; Cancel, when shown, answers Escape.
TEST(MessageBoxTest, ShowsTheIconAndButtonsOfItsStyle) {
  using B = QMessageBox;
  struct Case {
    int style;
    B::Icon icon;
    QList<B::StandardButton> buttons;
    B::StandardButton defaultButton;
  };
  const Case cases[] = {
      {0, B::NoIcon, {B::Ok}, B::Ok},
      {48, B::Warning, {B::Ok}, B::Ok},
      {16, B::Critical, {B::Ok}, B::Ok},
      {64 + 1, B::Information, {B::Ok, B::Cancel}, B::Ok},
      {32 + 3, B::Question, {B::Yes, B::No, B::Cancel}, B::Yes},
      {256 + 1, B::NoIcon, {B::Ok, B::Cancel}, B::Cancel},
      {308, B::Warning, {B::Yes, B::No}, B::No},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    const auto box = buildMessageBox(QStringLiteral("Drive not ready."), c.style, QStringLiteral("T"));
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(box->iconPixmap().isNull(), c.icon == B::NoIcon);
    QList<B::StandardButton> shown;
    for (QAbstractButton* b : box->buttons()) shown << box->standardButton(b);
    std::sort(shown.begin(), shown.end());
    QList<B::StandardButton> named = c.buttons;
    std::sort(named.begin(), named.end());
    EXPECT_EQ(shown, named);
    EXPECT_EQ(box->standardButton(box->defaultButton()), c.defaultButton);
    QAbstractButton* const none = nullptr;
    EXPECT_EQ(box->escapeButton(), named.contains(B::Cancel) ? box->button(B::Cancel) : none);
  }
}

}  // namespace
