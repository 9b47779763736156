#pragma once

// What the tests of the browser, the strip and the picture files share: a
// folder of numbered pictures, and reading back which of them a box shows.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

// Picture i of a folder is one colour of its own.
inline long shade(int i) { return colour::rgb(20 + i * 9, 200 - i * 7, (i * 37) & 0xFF); }

class PicturesTest : public FormTest {
 protected:
  // A folder under the program directory holding p00.bmp .. p(count-1).bmp, picture i in shade(i).
  QString folderOf(int count, const QString& name = QStringLiteral("pics")) {
    const QString dir = path(name);
    QDir().mkpath(dir);
    for (int i = 0; i < count; ++i) solidImage(40, 30, shade(i)).save(dir + QStringLiteral("/p%1.bmp").arg(i, 2, 10, QLatin1Char('0')));
    return dir;
  }
  // The window started, the browser open on `dir` with its first file selected.
  Form1& browsing(const QString& dir) {
    Form1& f = start();
    f.Command20_Click();
    f.Dir1->setPath(dir);
    f.File1->setCurrentRow(f.File1->count() > 0 ? 0 : -1);
    return f;
  }
  // Which picture of the folder a box shows (-1 empty, -2 none of them).
  static int shownFile(const ImageBox* box) { return shownPicture(box, shade, 100); }
  static std::vector<int> page(const Form1& f) {
    return {shownFile(f.Image8), shownFile(f.Image9), shownFile(f.Image10), shownFile(f.Image11)};
  }
  // The prompts of the message boxes shown so far.
  QStringList prompts() const {
    QStringList all;
    for (const auto& call : dialogs->calls) all << call.prompt;
    return all;
  }
};
