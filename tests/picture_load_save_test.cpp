#include <QPrinter>
#include <QTemporaryDir>
#include <functional>

#include "raster/fit.h"
#include "tests/pictures_fixture.h"

using namespace colour::state;

namespace {

class LoadSaveTest : public PicturesTest {
 protected:
  Form1& started() {
    Form1& f = start();
    f.Picture1->setPicture(solidImage(320, 256, 0x123456));
    f.Image6->setPicture(f.Picture1->picture());
    f.Image13->setPicture(solidImage(320, 256, 0x654321));
    return f;
  }
  void load(Form1& f, const QString& file) {
    dialogs->open.answers.push_back(file);
    f.loadpic_Click();
  }
  void saveAs(Form1& f, const QString& name) {
    dialogs->save.answers.push_back(SaveChoice{path(name), 1});
    f.savepic_Click();
  }
};

// Every type of the "Load Image" filter lands fitted in the main picture: the quadrants of the
// sample picture are found where the fit puts them.
TEST_F(LoadSaveTest, EveryTypeOfTheFilterLoadsFitted) {
  Form1& f = started();
  for (const QString ending : {"bmp", "jpg", "gif", "tif", "tga", "png", "pcx", "dib", "wmf", "emf", "ico", "cur"}) {
    SCOPED_TRACE(ending.toStdString());
    load(f, samplePath("base." + ending));
    const bool icon = ending == "ico" || ending == "cur";
    const QRectF at = raster::fitRect(raster::Fit::LoadPicture, icon ? QSize(32, 32) : QSize(320, 256), 320);
    const QImage& shown = f.Picture1->picture();
    const struct { double x, y; QRgb colour; } quadrants[] = {
        {0.2, 0.1, qRgb(255, 0, 0)}, {0.8, 0.1, qRgb(0, 255, 0)}, {0.2, 0.9, qRgb(0, 0, 255)}, {0.8, 0.6, qRgb(255, 255, 255)}};
    for (const auto& q : quadrants) {
      const QRgb p = shown.pixel(int(at.x() + q.x * at.width()), int(at.y() + q.y * at.height()));
      EXPECT_LE(channelDistance(p, q.colour), ending == "jpg" ? LossyTolerance : 0);
    }
    EXPECT_TRUE(sameImage(shown, f.Image6->picture()));
    EXPECT_EQ(f.worktext, ending.toUpper());
  }
  EXPECT_EQ(dialogs->open.calls.front().title, QStringLiteral("Load Image"));
  EXPECT_TRUE(dialogs->open.calls.front().filter.startsWith(
      QStringLiteral("All Picture Files (*.*)|*.bmp;*.jpg;*.gif;*.tif;*.tga;*.png;*.pcx;*.dib;*.wmf;*.emf;*.ico;*.cur|")));
}

// A wide picture is painted 320 wide also in the 340 layout; the rest keeps the colour of its
// pixel (1, 1).
TEST_F(LoadSaveTest, WidePictureInTheWideLayout) {
  Form1& f = started();
  f.jvcomm1->trigger();
  QImage source(400, 200, QImage::Format_RGB32);
  source.fill(qRgb(0, 200, 0));
  source.setPixel(1, 1, qRgb(9, 8, 7));
  source.save(path(QStringLiteral("wide.bmp")));
  f.rotationangle = 90;
  load(f, path(QStringLiteral("wide.bmp")));
  const QImage& shown = f.Picture1->picture();
  ASSERT_EQ(shown.width(), 340);
  // Pixel (1, 1) itself lands on one pixel of the painted picture, at (0, 48) to (319, 207).
  EXPECT_EQ(countColour(shown, colour::rgb(9, 8, 7)), 340 * 256 - 320 * 160 + 1);
  EXPECT_EQ(countColour(shown, colour::rgb(0, 200, 0), QRect(0, 48, 320, 160)), 320 * 160 - 1);
  EXPECT_EQ(f.rotationangle, 0);
}

// OOPS after a load brings back the picture from before it, and then the loaded one again.
TEST_F(LoadSaveTest, OopsAfterALoadBringsBackThePictureFromBefore) {
  Form1& f = started();
  const QImage before = f.Picture1->picture();
  load(f, samplePath(QStringLiteral("base.png")));
  const QImage loaded = f.Picture1->picture();
  ASSERT_FALSE(sameImage(before, loaded));
  for (const QImage& expected : {before, loaded}) {
    f.Command31_Click();
    EXPECT_TRUE(sameImage(expected, f.Picture1->picture()));
  }
}

// A picture brought in by Load Picture or by a scan (from SANE's test backend) is committed whole:
// with a text style on, text placed and Undo leave it, never the picture from before.
TEST_F(LoadSaveTest, ALoadedOrScannedPictureStaysUnderAStyledTextAndUndo) {
  QTemporaryDir sane;
  writeBytes(sane.path() + "/dll.conf", "test\n");
  qputenv("SANE_CONFIG_DIR", sane.path().toLocal8Bit());
  const std::function<void(Form1&)> bringIn[] = {
      [this](Form1& f) { load(f, samplePath(QStringLiteral("base.png"))); }, [](Form1& f) { f.acquire_Click(); }};
  for (const auto& in : bringIn) {
    Form1& f = started();
    const QImage before = f.Picture1->picture();
    for (int k = 0; k < 2; ++k) emit f.Label34->clicked();  // Grad
    in(f);
    const QImage brought = f.Picture1->picture();
    ASSERT_FALSE(sameImage(before, brought));
    f.Picture1_MouseDown(mousebutton::Left, 0, 20, 40);
    f.Picture1_MouseUp(mousebutton::Left, 0, 20, 40);
    f.Command12_Click();
    EXPECT_TRUE(sameImage(brought, f.Picture1->picture()));
  }
  qunsetenv("SANE_CONFIG_DIR");
}

// Whatever cannot be loaded leaves every picture as it was and says why, naming the file.
TEST_F(LoadSaveTest, RefusedFilesChangeNothingAndSayWhy) {
  QFile::copy(samplePath(QStringLiteral("base.jpg")), path(QStringLiteral("photo.jpeg")));
  // An ending Load Picture takes no files of, a picture read by each of its two readers that is
  // none, and a cancelled dialog (the empty name): pending work goes all the same, without a message.
  const QString files[] = {path(QStringLiteral("photo.jpeg")), samplePath(QStringLiteral("truncated-half.jpg")),
                           samplePath(QStringLiteral("truncated-half.png")), QString()};
  Form1& f = started();
  f.Picture3->setPicture(solidImage(320, 256, 0x777777));
  f.rotationangle = 90;
  const QImage main = f.Picture1->picture(), committed = f.Image6->picture(), oops = f.Image13->picture(),
               scratch = f.Picture3->picture();
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    f.Label26->setBackColor(Armed);
    f.Picture1->Line(0, 0, 100, 100, 0xFF);
    load(f, file);
    EXPECT_EQ(prompts().size(), file.isEmpty() ? 0 : 1);
    if (!file.isEmpty()) EXPECT_TRUE(prompts().last().startsWith("Picture not loaded. " + QFileInfo(file).fileName()));
    dialogs->calls.clear();
    EXPECT_TRUE(sameImage(main, f.Picture1->shown()));
    EXPECT_TRUE(sameImage(committed, f.Image6->picture()));
    if (!file.isEmpty()) EXPECT_TRUE(sameImage(oops, f.Image13->picture()));
    EXPECT_TRUE(sameImage(scratch, f.Picture3->picture()));
    EXPECT_EQ(f.rotationangle, 90);
    EXPECT_EQ(f.Label26->backColor(), SetIdle);
  }
}

TEST_F(LoadSaveTest, SaveDialogPreselectsByNameOrFormatCode) {
  Form1& f = started();
  const struct { const char* fileName; int formatCode, index; } cases[] = {
      {"a.tga", 0, 2}, {"a.jpg", 0, 7}, {"a.fif", 0, 3}, {"a.xyz", 0, 3}, {"a.png", 0, 9},
      {"", 6, 6},      {"", 8, 9},      {"", 10, 3},     {"", 9, 3}};
  for (const auto& c : cases) {
    f.PicbufVisible->fileName = QString::fromLatin1(c.fileName);
    f.PicbufVisible->imageFormat = c.formatCode;
    f.saveimage(f.PicbufVisible, *dialogs);
    EXPECT_EQ(dialogs->save.calls.back().filterIndex, c.index) << c.fileName << " " << c.formatCode;
    EXPECT_EQ(f.PicbufVisible->imageFormat, 0);
  }
  EXPECT_EQ(dialogs->save.calls.back().title, QStringLiteral("Save Image"));
  EXPECT_EQ(dialogs->save.calls.back().filter,
            QStringLiteral("TIFF|*.tif|Targa|*.tga|BMP|*.bmp|GIF|*.gif|DIB|*.dib|PCX|*.pcx|JPEG|*.jpg|FIF|*.fif|PNG|*.png"));
}

// The name's ending chooses the format; a refused FIF leaves no format behind for the next save.
TEST_F(LoadSaveTest, SavedFilesTakeTheFormatOfTheirName) {
  Form1& f = started();
  const struct { const char* name; const char* magic; } cases[] = {
      {"a.jpg", "\xFF\xD8\xFF"}, {"b.jpeg", "\xFF\xD8\xFF"}, {"c.fif", nullptr}, {"d.png", "\x89PNG"},
      {"e.tif", "II*"},          {"f.bmp", "BM"},           {"g.gif", "GIF8"},   {"h.dib", "BM"},
      {"no/folder/i.png", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    saveAs(f, QString::fromLatin1(c.name));
    EXPECT_EQ(readFile(QString::fromLatin1(c.name)).startsWith(c.magic ? c.magic : "?"), c.magic != nullptr);
    EXPECT_EQ(std::pair(f.PicbufVisible->imageFormat, f.PicbufVisible->writeCompression), std::pair(0, 0));
  }
  ASSERT_EQ(prompts().size(), 2);
  EXPECT_EQ(prompts().first(), QStringLiteral("FIF pictures cannot be written."));
  EXPECT_TRUE(prompts().last().contains(QStringLiteral("i.png")));
  QImage back;
  ASSERT_TRUE(back.load(path(QStringLiteral("d.png"))));
  EXPECT_TRUE(sameImage(f.Picture1->image(), back));
  EXPECT_EQ(QDir::currentPath(), QDir(programDir).absolutePath());
}

TEST_F(LoadSaveTest, PrintWritesOnePageWithThePictureLossless) {
  Form1& f = started();
  f.printpicture1_Click();  // cancelled
  const QString pdf = path(QStringLiteral("print.pdf"));
  dialogs->printer.answers.push_back(pdf);
  f.printpicture1_Click();
  const QByteArray bytes = readFile(QStringLiteral("print.pdf"));
  ASSERT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
  EXPECT_TRUE(bytes.contains("/Width 320"));
  EXPECT_FALSE(bytes.contains("/DCTDecode"));
  EXPECT_EQ(dialogs->printer.calls.size(), 2u);
}

}  // namespace
