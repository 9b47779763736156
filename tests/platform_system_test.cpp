#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/system.h"

namespace {

// Only a live holder of the lock is a second instance; a folder that cannot hold the lock file
// must let the program start.
TEST(InstanceLockTest, OnlyALiveHolderKeepsASecondCopyOut) {
  QTemporaryDir tmp;
  const QString plainFile = tmp.filePath(QStringLiteral("plain"));
  QFile f(plainFile);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  const QString readOnly = tmp.filePath(QStringLiteral("readonly"));
  ASSERT_TRUE(QDir().mkpath(readOnly));
  QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);

  platform::InstanceLock first;
  ASSERT_TRUE(first.tryLock(tmp.path()));
  platform::InstanceLock second;
  EXPECT_FALSE(second.tryLock(tmp.path())) << "a lock held by this live process lets a second copy in";

  platform::InstanceLock onFile;
  EXPECT_TRUE(onFile.tryLock(plainFile)) << "a data folder that is a plain file reads as a second instance";
  platform::InstanceLock onReadOnly;
  EXPECT_TRUE(onReadOnly.tryLock(readOnly)) << "a read-only data folder reads as a second instance";
  if (geteuid() != 0) EXPECT_FALSE(QFile::exists(readOnly + QStringLiteral("/marvane.lock")));
}

}  // namespace
