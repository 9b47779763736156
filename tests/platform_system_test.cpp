#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

}  // namespace
