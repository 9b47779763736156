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

// A helper program of the tests, started with `arguments`; it prints "ready" once it has shown
// its window or taken the clipboard, and runs until it is stopped.
class HelperProcess {
 public:
  HelperProcess(const QString& program, const QStringList& arguments) { process_.start(program, arguments); }
  ~HelperProcess() { stop(); }
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  bool ready() {
    return waitFor([&] { return process_.canReadLine() || process_.state() == QProcess::NotRunning; }, kStandInStartMs) &&
           process_.readLine().trimmed() == "ready";
  }
  void stop() {
    process_.kill();
    process_.waitForFinished();
  }
  bool running() const { return process_.state() != QProcess::NotRunning; }

 private:
  QProcess process_;
};

// One stand-in, started with `arguments`, logging its strokes to `log` and pasting to `pasted`.
class StandInProcess : public HelperProcess {
 public:
  StandInProcess(const QString& log, const QString& pasted, const QStringList& arguments)
      : HelperProcess(qEnvironmentVariable("SSTV_STANDIN"),
                      arguments + QStringList{QStringLiteral("--log"), log, QStringLiteral("--paste-to"), pasted}),
        log_(log),
        pasted_(pasted) {}
  const QString& log() const { return log_; }
  const QString& pasted() const { return pasted_; }

 private:
  QString log_;
  QString pasted_;
};

// The clipboard owner outside Qt (tests/tools/clipboardowner.cpp, named by CLIPBOARD_OWNER),
// offering its "TARGET=FILE" arguments, late or in pieces as its options ask.
class ClipboardOwner : public HelperProcess {
 public:
  explicit ClipboardOwner(const QStringList& arguments)
      : HelperProcess(qEnvironmentVariable("CLIPBOARD_OWNER"), arguments) {}
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
