#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <future>
#include <optional>
#include <thread>

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

using Outcome = std::tuple<Refusal, QString, QString>;  // with the unusable file and the reason

// A start on a thread of its own, as this thread's user: one that blocks fails the test after a few
// seconds instead of hanging it.
std::optional<Outcome> startWithin(const QString& folder) {
  std::packaged_task<Outcome()> start([folder] {
    platform::InstanceLock copy;
    const Refusal refusal = copy.tryLock(folder);
    return Outcome(refusal, copy.unusableFile(), copy.unusableReason());
  });
  auto outcome = start.get_future();
  std::thread(std::move(start)).detach();
  if (outcome.wait_for(std::chrono::seconds(5)) != std::future_status::ready) return std::nullopt;
  return outcome.get();
}

// Where `user` keeps the lock on `folder` outside it.
QByteArray userLockOf(const QString& folder, uid_t user) {
  struct stat id {};
  ::stat(QFile::encodeName(folder).constData(), &id);
  const QString name = QStringLiteral("/dev/shm/marvane-%1-%2-%3.lock");
  return name.arg(QString::number(user), QString::number(id.st_dev), QString::number(id.st_ino)).toLatin1();
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
// a file this user may not write, a link, which is never followed, a pipe, which is never waited
// on) refuses the start and is named. One removed while held and made again by a second copy is
// that copy's: the first leaves it at its exit, and a third copy stays out; a second copy gets that
// far only when the user's own lock outside the folder is another user's file, which neither keeps
// a copy out nor is taken. A copy started after the folder's mode changed still sees the holder.
// Nothing is left outside the folder either.
TEST(InstanceLockTest, ALockFileThatCannotBeUsedOrWasReplacedKeepsOtherCopiesOut) {
  QTemporaryDir tmp;
  const QString folder = tmp.filePath(QStringLiteral("writeonly")), lockFile = folder + QStringLiteral("/.marvane.lock");
  const QByteArray lock = QFile::encodeName(lockFile);
  std::optional<platform::InstanceLock> first, second;
  const AsOrdinaryUser user(tmp.path());
  const QByteArray dir = QFile::encodeName(folder);
  ASSERT_EQ(::mkdir(dir.constData(), 0300), 0);
  const uid_t ordinary = ::setfsuid(uid_t(-1));  // -1 changes nothing and tells the user in force
  const QByteArray userLock = userLockOf(folder, ordinary);
  int reader = -1;
  const auto heldFrom = [&](mode_t holder, mode_t now) {
    return [&, holder, now] {
      ::chmod(dir.constData(), holder);
      ASSERT_EQ(first.emplace().tryLock(folder), Refusal::None);
      ::chmod(dir.constData(), now);
    };
  };
  const struct { const char* what; std::function<void()> prepare; Refusal refusal; const char* reason; } cases[] = {
      {"a folder", [&] { ::mkdir(lock.constData(), 0700); }, Refusal::UnusableLockFile, "Is a directory"},
      {"not writable", [&] { ::close(::open(lock.constData(), O_CREAT | O_WRONLY, 0400)); }, Refusal::UnusableLockFile,
       "Permission denied"},
      {"a link", [&] { ::symlink("elsewhere", lock.constData()); }, Refusal::UnusableLockFile, "a symbolic link"},
      {"a pipe", [&] { ::mkfifo(lock.constData(), 0600); }, Refusal::UnusableLockFile, "a named pipe"},
      {"a pipe being read",
       [&] {
         ::mkfifo(lock.constData(), 0600);
         reader = ::open(lock.constData(), O_RDONLY | O_NONBLOCK);
       },
       Refusal::UnusableLockFile, "a named pipe"},
      {"removed while held",
       [&] {
         ::setfsuid(0);  // another user's file, which this user may write
         ::close(::open(userLock.constData(), O_CREAT | O_WRONLY, 0666));
         ::chmod(userLock.constData(), 0666);
         ::setfsuid(ordinary);
         ASSERT_EQ(first.emplace().tryLock(folder), Refusal::None);
         ::unlink(lock.constData());
         ASSERT_EQ(second.emplace().tryLock(folder), Refusal::None);
         first.reset();
         ::setfsuid(0);
         ::unlink(userLock.constData());
         ::setfsuid(ordinary);
       },
       Refusal::HeldElsewhere, ""},
      {"held at 0700, started at 0300", heldFrom(0700, 0300), Refusal::HeldElsewhere, ""},
      {"held at 0300, started at 0700", heldFrom(0300, 0700), Refusal::HeldElsewhere, ""},
      {"held at 0500, started at 0300", heldFrom(0500, 0300), Refusal::HeldElsewhere, ""},
      {"held at 0000, started at 0700", heldFrom(0000, 0700), Refusal::HeldElsewhere, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.prepare();
    const QString file = c.refusal == Refusal::UnusableLockFile ? lockFile : QString();
    EXPECT_EQ(startWithin(folder), Outcome(c.refusal, file, QString::fromLatin1(c.reason)));
    ::chmod(dir.constData(), 0300);
    first.reset();
    second.reset();
    ::close(std::exchange(reader, -1));
    ::unlink(lock.constData());
    ::rmdir(lock.constData());
  }
  EXPECT_EQ(entriesOf(folder) + entriesOf(tmp.path()), QStringList({QStringLiteral("writeonly")}));
  EXPECT_FALSE(QFile::exists(QFile::decodeName(userLock)));
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
