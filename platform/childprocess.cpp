#include "platform/childprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/waits.h"

namespace platform {

namespace {

// The window is repainted at least this often while a child works.
constexpr int PumpStepMs = 20;

// AddressSanitizer reserves terabytes of address space for its shadow memory: in a sanitized
// build the children, built alike, could not even start under an address-space limit.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSpaceCanBeLimited = false;
#elif defined(__has_feature)
constexpr bool AddressSpaceCanBeLimited = !__has_feature(address_sanitizer);
#else
constexpr bool AddressSpaceCanBeLimited = true;
#endif

void limit(int resource, qint64 soft, qint64 hard) {
  const rlimit value{rlim_t(soft), rlim_t(hard)};
  setrlimit(resource, &value);
}

// Runs in the child between fork and exec: system calls only.
void confine(const ChildLimits& limits, pid_t parent) {
  setpgid(0, 0);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(127);  // the parent was gone before the line above
  limit(RLIMIT_CORE, 0, 0);
  // The hard limit a second later ends a child that ignores the soft limit's SIGXCPU.
  if (limits.cpuSeconds > 0) limit(RLIMIT_CPU, limits.cpuSeconds, limits.cpuSeconds + 1);
  if (limits.addressSpaceBytes > 0 && AddressSpaceCanBeLimited)
    limit(RLIMIT_AS, limits.addressSpaceBytes, limits.addressSpaceBytes);
}

}  // namespace

ChildOutcome runLimited(const QString& program, const QStringList& arguments, const QByteArray& input,
                        const ChildLimits& limits, const std::function<bool(QByteArrayView)>& output) {
  using End = ChildOutcome::End;
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.setChildProcessModifier([limits, parent = getpid()] { confine(limits, parent); });
  process.start(program, arguments);
  if (!process.waitForStarted()) return {End::NotStarted};
  const pid_t group = pid_t(process.processId());
  const auto stop = [&](End end) {
    ::kill(-group, SIGKILL);
    process.waitForFinished(-1);
    return ChildOutcome{end};
  };
  process.write(input);
  process.closeWriteChannel();
  QElapsedTimer clock;
  clock.start();
  const DropsRefused noDrops;
  for (;;) {
    // Output is taken as it comes, a pipe's worth at a time, rather than gathered whole.
    process.waitForReadyRead(PumpStepMs);
    const bool finished = process.state() == QProcess::NotRunning;
    const QByteArray piece = process.readAllStandardOutput();
    if (!piece.isEmpty() && !output(piece)) return stop(End::OutputRefused);
    if (finished) break;
    if (limits.wall.count() > 0 && clock.elapsed() >= limits.wall.count()) return stop(End::TimedOut);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  if (process.exitStatus() == QProcess::CrashExit) return {End::Signalled, process.exitCode()};
  return {End::Exited, process.exitCode()};
}

}  // namespace platform
