#include <sane/sane.h>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/scanner.h"
#include "tests/support/checks.h"

// The scanner against SANE's test backend, with scanimage (same device, same options) as the
// judge of what the scan must give. The test backend now and then hangs in sane_cancel after an
// early error (its reader thread is cancelled inside malloc), in scanimage as in Marvane: so one
// Scanner serves every test, every scan gets a device of its own (the backend also keeps option
// values per device), and scanimage is run again when it hangs.
namespace {

using platform::ScanOption;
using platform::Scanner;

class ScannerTest : public ::testing::Test {
 protected:
  // SANE reads its configuration when it starts, so the folder is set before any Scanner.
  static void SetUpTestSuite() {
    config = new QTemporaryDir;
    writeBytes(config->path() + "/dll.conf", "test\n");
    writeBytes(config->path() + "/test.conf", "number_of_devices 32\n");
    qputenv("SANE_CONFIG_DIR", config->path().toLocal8Bit());
    scanner = new Scanner;
    defaults = scanner->options;
  }
  static void TearDownTestSuite() {
    delete scanner;
    delete config;
  }
  void SetUp() override {
    scanner->options = defaults;
    scanner->onProgress = nullptr;
  }
  static QString freshDevice() {
    static int used = 1;  // test:0 and test:1 are the ones a default configuration lists
    scanner->setDevice(QStringLiteral("test:%1").arg(++used));
    return scanner->device();
  }
  static inline QTemporaryDir* config = nullptr;
  static inline Scanner* scanner = nullptr;
  static inline QList<ScanOption> defaults;

  struct Oracle {
    QImage picture;
    QString error;  // scanimage's message after the failing call's name
  };

  // scanimage's PNM output as a picture: 16-bit samples keep their high byte, a set PBM bit is
  // black.
  static Oracle scanimage(const QString& device, const QList<ScanOption>& options) {
    QStringList arguments{"-d", device, "--format=pnm"};
    for (const ScanOption& o : options) arguments << QStringLiteral("--%1=%2").arg(QString(o.name), QString(o.value));
    QProcess process;
    for (int attempt = 0; attempt < 3; ++attempt) {
      process.start("scanimage", arguments);
      if (process.waitForFinished(10000)) break;
      process.kill();
      process.waitForFinished();
    }
    const QString error = QString::fromUtf8(process.readAllStandardError()).section('\n', 0, 0);
    if (process.exitCode() != 0) return {QImage(), error.section(": ", -1)};
    const QByteArray pnm = process.readAllStandardOutput();
    qsizetype at = 0;
    const auto number = [&] {  // the header holds no comment after the size: SANE's is before it
      at = pnm.indexOf('\n', at) + 1;
      while (pnm[at] == '#') at = pnm.indexOf('\n', at) + 1;
      return pnm.mid(at, pnm.indexOf('\n', at) - at);
    };
    const QList<QByteArray> size = number().split(' ');
    const int width = size[0].toInt(), height = size[1].toInt();
    const bool bits = pnm.startsWith("P4"), colour = pnm.startsWith("P6");
    const int sampleBytes = !bits && number().toInt() > 255 ? 2 : 1, channels = colour ? 3 : 1;
    const auto data = reinterpret_cast<const uchar*>(pnm.constData()) + pnm.indexOf('\n', at) + 1;
    const auto sample = [&](int x, int y, int c) {  // big-endian samples: the first byte is the high one
      if (bits) return (data[y * ((width + 7) / 8) + x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
      return int(data[((y * width + x) * channels + c) * sampleBytes]);
    };
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        picture.setPixel(x, y, qRgb(sample(x, y, 0), sample(x, y, colour ? 1 : 0), sample(x, y, colour ? 2 : 0)));
    return {picture, QString()};
  }
};

TEST_F(ScannerTest, EveryFrameLayoutGivesScanimagesPicture) {
  const struct { const char* what; QList<ScanOption> options; } rows[] = {
      {"colour", {}},
      {"colour 16 bit", {{"depth", "16"}}},
      {"gray", {{"mode", "Gray"}}},
      {"gray 1 bit", {{"mode", "Gray"}, {"depth", "1"}}},
      {"gray 16 bit", {{"mode", "Gray"}, {"depth", "16"}}},
      {"three-pass", {{"three-pass", "yes"}, {"three-pass-order", "GBR"}}},
      {"hand scanner of unknown height", {{"hand-scanner", "yes"}}},
      {"small reads", {{"read-limit", "yes"}, {"read-limit-size", "1000"}}},
  };
  for (const auto& row : rows) {
    scanner->options = defaults + QList<ScanOption>{{"test-picture", "Color pattern"}} + row.options;
    const Oracle oracle = scanimage(freshDevice(), scanner->options);
    ASSERT_FALSE(oracle.picture.isNull()) << row.what << ": " << oracle.error.toStdString();
    const platform::ScanResult scan = scanner->acquire(nullptr);
    EXPECT_EQ(scan.error, QString()) << row.what;
    EXPECT_TRUE(sameImage(oracle.picture, scan.picture)) << row.what;
  }
}

// Each fault is reported once, in SANE's words as scanimage prints them, and gives no picture;
// a Cancel from the device is no fault to report. A frame that ends before its first line is no
// picture either (scanimage writes an empty one): the device failed.
TEST_F(ScannerTest, DeviceFaultsGiveTheirStatusTextAndNoPicture) {
  for (const std::string status : {"JAMMED", "IO_ERROR", "DEVICE_BUSY", "NO_DOCS", "COVER_OPEN", "NO_MEM", "ACCESS_DENIED",
                                    "UNSUPPORTED", "CANCELLED", "EOF"}) {
    freshDevice();
    scanner->options = defaults + QList<ScanOption>{{"read-return-value", QByteArray("SANE_STATUS_") + status.c_str()}};
    const QString expected = status == "CANCELLED" ? QString()
                             : status == "EOF"     ? QString::fromUtf8(sane_strstatus(SANE_STATUS_IO_ERROR))
                                                   : scanimage(scanner->device(), scanner->options).error;
    const platform::ScanResult scan = scanner->acquire(nullptr);
    EXPECT_TRUE(scan.picture.isNull()) << status;
    EXPECT_EQ(scan.error, expected) << status;
  }
}

TEST_F(ScannerTest, MissingAndBusyDevicesGiveTheirStatusText) {
  scanner->setDevice("nosuch:0");
  const QString missing = scanimage("nosuch:0", defaults).error;
  EXPECT_FALSE(missing.isEmpty());
  EXPECT_EQ(scanner->acquire(nullptr).error, missing);
  SANE_Handle held = nullptr;
  ASSERT_EQ(sane_open(freshDevice().toUtf8().constData(), &held), SANE_STATUS_GOOD);
  const platform::ScanResult busy = scanner->acquire(nullptr);
  EXPECT_EQ(std::pair(busy.error, busy.picture.isNull()),
            std::pair(QString::fromUtf8(sane_strstatus(SANE_STATUS_DEVICE_BUSY)), true));
  sane_close(held);
  EXPECT_FALSE(scanner->acquire(nullptr).picture.isNull());
}

// Cancel pressed while a slow scan runs: no picture, no message, and the device scans again.
TEST_F(ScannerTest, CancelStopsTheScanAndLeavesTheDeviceFree) {
  const QString device = freshDevice();
  scanner->options += {{"read-limit", "yes"}, {"read-limit-size", "1000"}, {"read-delay", "yes"}, {"read-delay-duration", "200000"}};
  bool pressed = false;
  scanner->onProgress = [&pressed](QDialog& dialog, qint64 bytesRead) {
    if (bytesRead == 0 || pressed) return;
    pressed = true;
    dialog.findChild<QPushButton*>()->click();
  };
  const platform::ScanResult cancelled = scanner->acquire(nullptr);
  EXPECT_TRUE(pressed && cancelled.picture.isNull() && cancelled.error.isEmpty());
  scanner->options = defaults;
  EXPECT_EQ(scanner->acquire(nullptr).picture.size(), scanimage(device, defaults).picture.size());
}

TEST_F(ScannerTest, SelectSourceListsTheDevicesAndKeepsTheChoice) {
  QStringList names;
  for (const platform::ScanDevice& d : scanner->devices()) names << d.name;
  QProcess list;
  list.start("scanimage", {"-f", "%d%n"});
  list.waitForFinished(60000);
  EXPECT_EQ(names, QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts));
  const auto answer = [](int item) {
    QTimer::singleShot(0, [item] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      if (item < 0) return dialog->reject();
      dialog->setTextValue(dialog->comboBoxItems().at(item));
      dialog->accept();
    });
  };
  answer(1);
  EXPECT_TRUE(scanner->selectSource(nullptr));
  EXPECT_EQ(scanner->device(), names.at(1));
  answer(-1);
  EXPECT_FALSE(scanner->selectSource(nullptr));
  EXPECT_EQ(scanner->device(), names.at(1));
}

}  // namespace
