#pragma once

// Starting the stand-in for an external SSTV program (tests/standin, named by SSTV_STANDIN) and
// waiting for its window: shared by the display tests and the link benchmark, so no test
// framework here.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <functional>
#include <optional>

#include "platform/windowlink.h"

inline constexpr int kStandInStartMs = 10000;
inline constexpr int kArriveMs = 3000;

// Lets our events run, so our clipboard is served, until `done` or the time is up.
inline bool waitFor(const std::function<bool()>& done, int timeoutMs = kArriveMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

// One stand-in, started with `arguments`, logging its strokes to `log` and pasting to `pasted`.
class StandInProcess {
 public:
  StandInProcess(QString log, QString pasted, QStringList arguments)
      : log_(std::move(log)), pasted_(std::move(pasted)) {
    arguments << QStringLiteral("--log") << log_ << QStringLiteral("--paste-to") << pasted_;
    process_.start(qEnvironmentVariable("SSTV_STANDIN"), arguments);
  }
  ~StandInProcess() { stop(); }

  bool ready() {
    return waitFor([&] { return process_.canReadLine() || process_.state() == QProcess::NotRunning; }, kStandInStartMs) &&
           process_.readLine().trimmed() == "ready";
  }
  void stop() {
    process_.kill();
    process_.waitForFinished();
  }
  bool running() const { return process_.state() != QProcess::NotRunning; }
  const QString& log() const { return log_; }
  const QString& pasted() const { return pasted_; }

 private:
  QString log_;
  QString pasted_;
  QProcess process_;
};

// The window titled exactly `title`, activated. A window manager lists a window a little after it
// shows, and only listed windows are found, so it is asked for until then. Nothing when it never is.
inline std::optional<platform::LinkWindow> activateWhenListed(platform::WindowLink& link, const QString& title) {
  std::optional<platform::LinkWindow> window;
  const bool found = waitFor([&] {
    window = link.activate(title);
    return window && window->title == title;
  });
  return found ? window : std::nullopt;
}
