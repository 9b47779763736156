#include <QDialog>
#include <QPushButton>

#include "platform/clipboard.h"
#include "platform/scanner.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

constexpr int Groups = 6;
long groupColour(int g) { return 0x203040 + g * 0x1F0D07; }

class IconsScanTest : public FormTest {
 protected:
  // A library of six icon groups, each of one colour, linked by the MinGW tools.
  void writeLibrary() {
    for (int g = 0; g < Groups; ++g)
      ASSERT_TRUE(solidImage(32, 32, groupColour(g)).save(path(QStringLiteral("g%1.ico").arg(g)), "ICO"));
    linkIconLibrary(programDir, Groups, QStringLiteral("x86_64"));
  }
  // Which group each browse box shows, from the middle of its icon; -1 empty.
  std::vector<int> shownIcons() const {
    std::vector<int> groups;
    for (int k = 1; k <= 4; ++k)
      groups.push_back(shownPicture(form->browseBox(k), groupColour, Groups, QPoint(32 + 128, 7 + 128)));
    return groups;
  }
  platform::SystemClipboard clipboard;
};

// Six icons, four a page, each 256 x 256 at (32, 7): the short last page, a Next4 past it, Prev4
// back and before the first; a type label ends the icon view.
TEST_F(IconsScanTest, GrabIconsPagesTheLibrarysIcons) {
  writeLibrary();
  Form1& f = start();
  f.Command20_Click();
  f.Dir1->setPath(programDir);
  f.Label43_Click();
  EXPECT_EQ(std::tuple(f.Label39->caption(), f.Label39->backColor()), std::tuple(QStringLiteral("6"), Selected));
  EXPECT_EQ(shownIcons(), (std::vector{0, 1, 2, 3}));
  EXPECT_EQ(std::tuple(pixelAt(f.Image8->picture(), 31, 100), pixelAt(f.Image8->picture(), 32 + 255, 100)),
            std::tuple(f.Picture3->backColor(), groupColour(0)));
  for (const auto& [click, page] : {std::pair{&Form1::Label13_Click, std::vector{4, 5, -1, -1}},
                                    std::pair{&Form1::Label13_Click, std::vector{4, 5, -1, -1}},
                                    std::pair{&Form1::Label27_Click, std::vector{0, 1, 2, 3}},
                                    std::pair{&Form1::Label27_Click, std::vector{0, 1, 2, 3}}}) {
    (f.*click)();
    EXPECT_EQ(shownIcons(), page);
  }
  f.typeLabel_Click(f.Label15);
  EXPECT_EQ(f.Label39->caption(), QStringLiteral("RLE"));
}

// Against SANE's test backend: a scan goes onto the clipboard at its own size and fills the
// frame, 340 wide for MScan; a fault is told once and a Cancel is silent, both keeping the
// picture and the clipboard. The backend keeps options per device and may hang after a fault,
// so every scan has a device of its own.
TEST_F(IconsScanTest, ScanFillsTheFrameFaultsAndCancelKeepEverything) {
  QTemporaryDir config;
  writeBytes(config.path() + "/dll.conf", "test\n");
  writeBytes(config.path() + "/test.conf", "number_of_devices 4\n");
  qputenv("SANE_CONFIG_DIR", config.path().toLocal8Bit());
  auto scanner = std::make_shared<platform::Scanner>();
  const QList<platform::ScanOption> base = {{"mode", "Color"}, {"resolution", "75"}, {"test-picture", "Color pattern"}};
  const auto scan = [&](int device, int code, const QList<platform::ScanOption>& more) -> Form1& {
    Form1& f = start();
    f.env.scanner = scanner;
    scanner->setDevice(QStringLiteral("test:%1").arg(device));
    scanner->options = base + more;
    (f.*(code == 19 ? &Form1::mscann : &Form1::w95sstvv))->trigger();
    f.Picture1->setPicture(solidImage(f.frameWidth(), 256, 0x5555));
    clipboard.setPicture(solidImage(12, 34, 0xFF));
    dialogs->calls.clear();
    f.acquire->trigger();
    return f;
  };
  for (const int code : {6, 19}) {
    Form1& f = scan(code == 6 ? 0 : 1, code, {});
    const QImage scanned = clipboard.picture();
    ASSERT_FALSE(scanned.isNull() || scanned.size() == QSize(f.frameWidth(), 256));
    EXPECT_EQ(pixelAt(f.Picture1->picture(), f.frameWidth() - 1, 255), pixelAt(scanned, scanned.width() - 1, scanned.height() - 1));
    // OOPS takes the scan back, and brings it again at the next press.
    const QImage result = f.Picture1->picture();
    f.Command31_Click();
    EXPECT_TRUE(sameImage(solidImage(f.frameWidth(), 256, 0x5555), f.Picture1->picture()));
    f.Command31_Click();
    EXPECT_TRUE(sameImage(result, f.Picture1->picture()));
    EXPECT_TRUE(dialogs->calls.empty() && f.Label69->isHidden());
  }
  scanner->onProgress = [](QDialog& progress, qint64 bytes) {
    if (bytes > 0) progress.findChild<QPushButton*>()->click();
  };
  scan(2, 6, {{"read-return-value", "SANE_STATUS_JAMMED"}});
  EXPECT_TRUE(shownOnce("Scanner", "Document feeder jammed", vb::OKOnly));
  scan(3, 6, {{"read-limit", "yes"}, {"read-limit-size", "1000"}, {"read-delay", "yes"}, {"read-delay-duration", "200000"}});
  EXPECT_TRUE(dialogs->calls.empty());
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0x5555), form->Picture1->picture()));
  EXPECT_TRUE(sameImage(solidImage(12, 34, 0xFF), clipboard.picture()));
}

}  // namespace
