#include <QProcess>
#include <QPushButton>
#include <QDialog>

#include "platform/clipboard.h"
#include "platform/scanner.h"
#include "tests/link_fixture.h"

using namespace seen;

namespace {

constexpr int Groups = 6;
long groupColour(int g) { return 0x203040 + g * 0x1F0D07; }

void run(const QString& program, const QStringList& arguments, const QString& directory) {
  QProcess process;
  process.setWorkingDirectory(directory);
  process.start(program, arguments);
  ASSERT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0)
      << program.toStdString() << ": " << process.readAllStandardError().toStdString();
}

class IconsTest : public LinkTest {
 protected:
  // A library of six icon groups, each one colour, linked by the MinGW tools.
  void writeLibrary() {
    QString rc;
    for (int g = 0; g < Groups; ++g) {
      ASSERT_TRUE(solidImage(32, 32, groupColour(g)).save(path(QStringLiteral("g%1.ico").arg(g)), "ICO"));
      rc += QStringLiteral("%1 ICON \"g%2.ico\"\n").arg(g + 1).arg(g);
    }
    writeFile(QStringLiteral("icons.rc"), rc.toUtf8());
    run("x86_64-w64-mingw32-windres", {"--preprocessor=cat", "icons.rc", "-O", "coff", "-o", "icons.o"}, programDir);
    run("x86_64-w64-mingw32-ld", {"--dll", "-e", "0", "-o", "icons.dll", "icons.o"}, programDir);
  }
  // Which group each browse box shows, from its icon's middle; -1 empty.
  std::vector<int> shownIcons() const {
    std::vector<int> groups;
    for (int k = 1; k <= 4; ++k) {
      const ImageBox* box = form->browseBox(k);
      int g = box->hasPicture() ? -2 : -1;
      for (int i = 0; i < Groups && g == -2; ++i)
        if (pixelAt(box->picture(), 32 + 128, 7 + 128) == groupColour(i)) g = i;
      groups.push_back(g);
    }
    return groups;
  }
};

// Six icons page four at a time: the short last page, a Next4 past it, Prev4 back and before the
// first; a type label ends the icon view.
TEST_F(IconsTest, GrabIconsPagesTheLibrarysIcons) {
  writeLibrary();
  Form1& f = start();
  f.Command20_Click();
  f.Dir1->setPath(programDir);
  f.Label43_Click();
  EXPECT_EQ(f.Label39->caption(), QStringLiteral("6"));
  EXPECT_EQ(f.Label39->backColor(), Selected);
  EXPECT_EQ(shownIcons(), (std::vector{0, 1, 2, 3}));
  const struct {
    void (Form1::*click)();
    std::vector<int> page;
  } steps[] = {{&Form1::Label13_Click, {4, 5, -1, -1}}, {&Form1::Label13_Click, {4, 5, -1, -1}},
               {&Form1::Label27_Click, {0, 1, 2, 3}}, {&Form1::Label27_Click, {0, 1, 2, 3}}};
  for (const auto& s : steps) {
    (f.*s.click)();
    EXPECT_EQ(shownIcons(), s.page);
  }
  // Every icon sits 256 x 256 at (32, 7), over the work picture's own colour.
  EXPECT_EQ(pixelAt(f.Image8->picture(), 31, 100), f.Picture3->backColor());
  EXPECT_EQ(pixelAt(f.Image8->picture(), 32 + 255, 100), groupColour(0));
  EXPECT_EQ(pixelAt(f.Image8->picture(), 32 + 256, 100), f.Picture3->backColor());
  f.typeLabel_Click(f.Label15);
  EXPECT_EQ(f.Label39->caption(), QStringLiteral("RLE"));
}

// The scanner against SANE's test backend: the scan goes onto the clipboard at its own size and
// fills the frame in either layout; a fault is told once and a Cancel is silent, both leaving the
// picture and the clipboard as they were.
class ScanTest : public LinkTest {
 protected:
  static void SetUpTestSuite() {
    config = new QTemporaryDir;
    writeBytes(config->path() + "/dll.conf", "test\n");
    writeBytes(config->path() + "/test.conf", "number_of_devices 8\n");
    qputenv("SANE_CONFIG_DIR", config->path().toLocal8Bit());
    scanner = std::make_shared<platform::Scanner>();
  }
  static void TearDownTestSuite() {
    scanner.reset();
    delete config;
  }
  Form1& scanning(int code, QList<platform::ScanOption> more = {}) {
    Form1& f = startWith(code);
    f.env.scanner = scanner;
    // The test backend keeps option values per device, and may hang after a fault: every scan
    // gets a device of its own.
    static int used = 0;
    scanner->setDevice(QStringLiteral("test:%1").arg(used++));
    scanner->options = {{"mode", "Color"}, {"resolution", "75"}, {"test-picture", "Color pattern"}};
    scanner->options += more;
    scanner->onProgress = [&f](QDialog&, qint64) { EXPECT_TRUE(f.Label69->isVisible()); };
    f.show();
    return f;
  }
  static inline QTemporaryDir* config = nullptr;
  static inline std::shared_ptr<platform::Scanner> scanner;
};

TEST_F(ScanTest, ScanFillsTheFrameAndStaysOnTheClipboard) {
  for (const int code : {6, 19}) {
    Form1& f = scanning(code);
    f.acquire->trigger();
    const QImage scan = clipboard->now.picture;
    const int width = f.frameWidth();
    ASSERT_FALSE(scan.isNull());
    EXPECT_NE(scan.size(), QSize(width, 256));
    EXPECT_EQ(pixelAt(f.Picture1->picture(), width - 1, 255), pixelAt(scan, scan.width() - 1, scan.height() - 1));
    EXPECT_EQ(pixelAt(f.Picture1->picture(), 0, 0), pixelAt(scan, 0, 0));
    EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image14->picture()));
    EXPECT_FALSE(f.Label69->isVisible());
    EXPECT_TRUE(dialogs->calls.empty());
  }
}

TEST_F(ScanTest, FaultsAndCancelKeepPictureAndClipboard) {
  scanning(6, {{"read-return-value", "SANE_STATUS_JAMMED"}}).acquire_Click();
  EXPECT_TRUE(shownOnce(QStringLiteral("Scanner"), QStringLiteral("Document feeder jammed"), vb::OKOnly));
  EXPECT_TRUE(sameImage(solidImage(320, 256, MainColour), form->Picture1->picture()));
  EXPECT_TRUE(clipboardIsTheOperators());
  scanning(6, {{"read-limit", "yes"}, {"read-limit-size", "1000"}, {"read-delay", "yes"},
               {"read-delay-duration", "200000"}});
  scanner->onProgress = [](QDialog& progress, qint64 bytes) {
    if (bytes > 0) progress.findChild<QPushButton*>()->click();
  };
  form->acquire_Click();
  EXPECT_TRUE(dialogs->calls.empty());
  EXPECT_TRUE(sameImage(solidImage(320, 256, MainColour), form->Picture1->picture()));
  EXPECT_TRUE(clipboardIsTheOperators());
}

}  // namespace
