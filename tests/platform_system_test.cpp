#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/dialogs.h"
#include "platform/system.h"
#include "tests/support/checks.h"

namespace {

using Refusal = platform::InstanceLock::Refusal;

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
      ASSERT_EQ(first->tryLock(folder), Refusal::None);
      EXPECT_EQ(second.tryLock(folder), Refusal::HeldElsewhere);
      first.reset();
      EXPECT_EQ(second.tryLock(folder), Refusal::None);
    }
    platform::InstanceLock onFile;
    EXPECT_EQ(onFile.tryLock(plainFile), Refusal::None);
  }
  EXPECT_EQ(entriesOf(readOnly) + entriesOf(writeOnly), QStringList());
}

// On a folder that cannot be read the lock file stands for it. One that cannot be used (a folder,
// a file this user may not write, a link, which is never followed) refuses the start and is named.
// One removed while held and made again by a second copy is that copy's: the first leaves it at its
// exit, and a third copy stays out.
TEST(InstanceLockTest, ALockFileThatCannotBeUsedOrWasReplacedKeepsOtherCopiesOut) {
  QTemporaryDir tmp;
  const QString folder = tmp.filePath(QStringLiteral("writeonly")), lockFile = folder + QStringLiteral("/.marvane.lock");
  const QByteArray lock = QFile::encodeName(lockFile);
  std::optional<platform::InstanceLock> first, second;
  const AsOrdinaryUser user(tmp.path());
  ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0300), 0);
  const struct { const char* what; std::function<void()> prepare; Refusal refusal; const char* reason; } cases[] = {
      {"a folder", [&] { ::mkdir(lock.constData(), 0700); }, Refusal::UnusableLockFile, "Is a directory"},
      {"not writable", [&] { ::close(::open(lock.constData(), O_CREAT | O_WRONLY, 0400)); }, Refusal::UnusableLockFile,
       "Permission denied"},
      {"a link", [&] { ::symlink("elsewhere", lock.constData()); }, Refusal::UnusableLockFile, "a symbolic link"},
      {"removed while held",
       [&] {
         ASSERT_EQ(first.emplace().tryLock(folder), Refusal::None);
         ::unlink(lock.constData());
         ASSERT_EQ(second.emplace().tryLock(folder), Refusal::None);
         first.reset();
       },
       Refusal::HeldElsewhere, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.prepare();
    platform::InstanceLock copy;
    EXPECT_EQ(copy.tryLock(folder), c.refusal);
    EXPECT_EQ(std::tuple(copy.unusableFile(), copy.unusableReason()),
              c.refusal == Refusal::UnusableLockFile ? std::tuple(lockFile, QString::fromLatin1(c.reason))
                                                     : std::tuple(QString(), QString()));
    second.reset();
    ::unlink(lock.constData());
    ::rmdir(lock.constData());
  }
  EXPECT_EQ(entriesOf(folder) + entriesOf(tmp.path()), QStringList({QStringLiteral("writeonly")}));
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
