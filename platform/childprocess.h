#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

namespace platform {

// What a child may use. Zero means no limit.
struct ChildLimits {
  std::chrono::milliseconds wall{0};
  int cpuSeconds = 0;
  qint64 addressSpaceBytes = 0;
};

struct ChildOutcome {
  enum class End { Exited, Signalled, TimedOut, OutputRefused, NotStarted };
  End end = End::NotStarted;
  int code = 0;  // the exit code, or the signal that ended it
};

// Runs `program` with `input` on its standard input and hands its standard output to `output`
// piece by piece as it arrives; `output` returning false stops the child. The child runs in a
// process group of its own, under `limits`, and dies with the thread that started it; stopping
// it stops the whole group, whatever it started in turn. While it works, pending window events
// run, the operator's input excepted, so the window keeps painting and nothing new starts.
ChildOutcome runLimited(const QString& program, const QStringList& arguments, const QByteArray& input,
                        const ChildLimits& limits, const std::function<bool(QByteArrayView)>& output);

}  // namespace platform
