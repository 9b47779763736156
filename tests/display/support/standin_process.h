#pragma once

// The stand-in for an external SSTV program (tests/standin), run as a process by the display
// tests, with the stroke log it keeps and the file its pastes go to.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <memory>
#include <vector>

#include "platform/sendkeys.h"
#include "platform/windowlink.h"
#include "tests/display/support/standin_launch.h"
#include "tests/support/checks.h"

// The strokes the stand-in logs for these key strings.
inline QStringList strokesOf(const QStringList& keyStrings) {
  QStringList strokes;
  for (const QString& keys : keyStrings) strokes << platform::parseSendKeys(keys).strokes;
  return strokes;
}

inline QImage gradient(int width, int height, int seed) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgb((x * 7 + seed) & 255, (y * 5) & 255, seed & 255));
  return picture;
}

// What another program reads from our clipboard as `target`; we answer it meanwhile.
inline QByteArray readAsAnotherProgram(const QString& target) {
  QProcess xclip;
  xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                        target, QStringLiteral("-o")});
  waitFor([&] { return xclip.state() == QProcess::NotRunning; });
  return xclip.readAllStandardOutput();
}

// Stand-in number `number` of a test, its files in `folder`.
class StandIn : public StandInProcess {
 public:
  StandIn(const QString& folder, int number, QStringList arguments)
      : StandInProcess(QStringLiteral("%1/standin%2.log").arg(folder).arg(number),
                       QStringLiteral("%1/standin%2.png").arg(folder).arg(number), std::move(arguments)) {}

  // The strokes logged so far; none while there is no log.
  QStringList strokes() const { return QString::fromUtf8(bytesOf(log())).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

// The stand-ins one test starts, their logs kept in `folder`.
class StandIns {
 public:
  StandIns(QString folder, platform::WindowLink& link) : folder_(std::move(folder)), link_(link) {}

  // Starts them all before waiting, as each takes a moment to show.
  std::vector<StandIn*> open(const std::vector<QStringList>& argumentLists) {
    std::vector<StandIn*> opened;
    for (const QStringList& arguments : argumentLists) {
      all_.push_back(std::make_unique<StandIn>(folder_, started_++, arguments));
      opened.push_back(all_.back().get());
    }
    for (StandIn* s : opened) EXPECT_TRUE(s->ready()) << "a stand-in did not start";
    for (const QStringList& arguments : argumentLists) {
      const qsizetype at = arguments.indexOf(QStringLiteral("--window-title"));
      if (at < 0) continue;
      const QString title = arguments.value(at + 1);
      const std::optional<platform::LinkWindow> window = activateWhenListed(link_, title);
      EXPECT_TRUE(window) << "\"" << title.toStdString() << "\" is not found";
      // Each has taken the focus before the next is asked to: one that took it late, on a busy
      // machine, would take the keys typed into another.
      if (window) EXPECT_EQ(link_.sendKeys(*window, QString()), platform::SendResult::Sent) << title.toStdString();
    }
    return opened;
  }
  StandIn& open(const QString& title, QStringList more = {}) {
    return *open({QStringList{QStringLiteral("--window-title"), title} + more}).front();
  }
  void stopAll() { all_.clear(); }

 private:
  QString folder_;
  platform::WindowLink& link_;
  std::vector<std::unique_ptr<StandIn>> all_;
  int started_ = 0;  // numbers every log afresh
};
