#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/dialogs.h"
#include "platform/system.h"

namespace {

// Files are made and opened on this thread as an ordinary user, the owner of the folder given, so
// that permissions bind even when the tests run as the superuser.
class AsOrdinaryUser {
 public:
  explicit AsOrdinaryUser(const QString& folder) : superuser_(::geteuid() == 0) {
    if (!superuser_) return;
    EXPECT_EQ(::chown(QFile::encodeName(folder).constData(), Nobody, Nobody), 0);
    ::setfsuid(Nobody);
    EXPECT_EQ(::setfsuid(uid_t(-1)), int(Nobody));  // -1 changes nothing and tells the user in force
  }
  ~AsOrdinaryUser() {
    if (superuser_) ::setfsuid(0);
  }

 private:
  static constexpr uid_t Nobody = 65534;
  bool superuser_;
};

QStringList entriesOf(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Only a live holder keeps a second copy out, also on a folder where nothing can be written or
// that cannot be read; the lock leaves no file behind. A path that is no folder lets the program
// start unguarded.
TEST(InstanceLockTest, OnlyALiveHolderKeepsASecondCopyOut) {
  QTemporaryDir tmp;
  const QString plainFile = tmp.filePath(QStringLiteral("plain")), readOnly = tmp.filePath(QStringLiteral("readonly")),
                writeOnly = tmp.filePath(QStringLiteral("writeonly"));
  {
    const AsOrdinaryUser user(tmp.path());
    ASSERT_TRUE(QFile(plainFile).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir().mkpath(readOnly) && QDir().mkpath(writeOnly));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(writeOnly, QFile::WriteOwner | QFile::ExeOwner);
    for (const QString& folder : {tmp.path(), readOnly, writeOnly}) {
      SCOPED_TRACE(folder.toStdString());
      auto first = std::make_unique<platform::InstanceLock>();
      platform::InstanceLock second;
      ASSERT_TRUE(first->tryLock(folder));
      EXPECT_FALSE(second.tryLock(folder));
      first.reset();
      EXPECT_TRUE(second.tryLock(folder));
    }
    platform::InstanceLock onFile;
    EXPECT_TRUE(onFile.tryLock(plainFile));
  }
  EXPECT_EQ(entriesOf(readOnly) + entriesOf(writeOnly), QStringList());
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
