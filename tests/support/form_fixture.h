#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QTemporaryDir>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "app/form1.h"

// Answers the program's questions from a queue and remembers every one asked.
struct ScriptedDialogs : Dialogs {
  struct Call {
    QString prompt;
    int buttons;
    QString title;
  };
  std::vector<Call> calls;
  std::deque<int> answers;
  int MsgBox(const QString& prompt, int buttons, const QString& title) override;
};

// A main window on a fresh temporary program directory. Tests prepare files with writeFile()
// before start() when they need a prepared directory.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the window (no splash) and runs the start-up.
  Form1& start();
  // Builds the window without running the start-up.
  Form1& build();
  // Random numbers the colour jitter will draw, in order; 0 after they run out.
  void queueRandom(std::vector<double> values);

  QString path(const QString& name) const;
  void writeFile(const QString& name, const QByteArray& bytes) const;
  QByteArray readFile(const QString& name) const;
  bool fileExists(const QString& name) const;

  QTemporaryDir dataHome;
  QString programDir;
  std::shared_ptr<ScriptedDialogs> dialogs;
  std::unique_ptr<Form1> form;
  std::shared_ptr<std::deque<double>> randomValues;
};

// Pixel helpers: colours are the program's BGR longs.
long pixelAt(const QImage& img, int x, int y);
int countColour(const QImage& img, long bgr, const QRect& area = QRect());
// Equal images, or a failure naming the first differing pixel and both colours.
::testing::AssertionResult sameImage(const QImage& expected, const QImage& actual);
// A settings file "restore" with the given lines (1-based); every other line is empty.
QByteArray restoreFile(const std::map<int, QByteArray>& items);
// A picture as the bytes of a BMP file.
QByteArray bmpBytes(const QImage& image);
// A plain picture of one colour.
QImage solidImage(int w, int h, long bgr);
