#include <QDir>
#include <QSet>

#include "tests/support/form_fixture.h"

namespace {

QImage loadBmp(const QByteArray& bytes) { return QImage::fromData(bytes, "BMP"); }

class ShutdownTest : public FormTest {
 protected:
  QSet<QString> filesWritten() const {
    QStringList names = QDir(programDir).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(QStringLiteral("marvane.lock"));
    return QSet<QString>(names.begin(), names.end());
  }
  static QSet<QString> stripFiles() {
    QSet<QString> names;
    for (int n = 21; n <= 30; ++n) names << QStringLiteral("JustText%1.bmp").arg(n);
    return names;
  }
  Form1& restart() {
    form->unloaded = true;
    form.reset();
    return start();
  }
};

TEST_F(ShutdownTest, ExitYesSavesTheExitPictureAndStripsButNoEmptySlot) {
  Form1& f = start();
  const QImage picture = solidImage(320, 256, 0x3366CC);
  const QImage strip = solidImage(320, 32, 0x00FF00);
  f.Picture1->setPicture(picture);
  f.Picture4->setPicture(strip);
  f.savedthumbs[31] = solidImage(40, 32, 0xFF);  // scrap book: never saved
  dialogs->answers = {vb::Yes};
  f.exit_Click();

  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].title, QStringLiteral("Close Program"));
  EXPECT_EQ(dialogs->calls[0].prompt,
            QStringLiteral("Click YES to Exit and Save Updated Thumbnails\r\nClick NO to Exit and leave original "
                           "Thumbnails untouched\r\nClick CANCEL to return to Program"));
  EXPECT_EQ(dialogs->calls[0].buttons, vb::YesNoCancel);
  EXPECT_TRUE(f.unloaded);
  EXPECT_FALSE(f.isVisible());
  EXPECT_TRUE(f.Label49->isVisibleTo(&f));
  EXPECT_TRUE(sameImage(f.Image1->picture(), f.Picture1->picture()));
  EXPECT_EQ(filesWritten(), (stripFiles() + QSet<QString>{QStringLiteral("messages"), QStringLiteral("restore")}));
  EXPECT_TRUE(sameImage(picture, loadBmp(readFile(QStringLiteral("JustText21.bmp")))));
  EXPECT_TRUE(sameImage(strip, loadBmp(readFile(QStringLiteral("JustText22.bmp")))));

  Form1& g = restart();
  ASSERT_TRUE(g.Image13->hasPicture());
  EXPECT_TRUE(sameImage(picture, g.Image13->picture()));
  EXPECT_TRUE(sameImage(strip, g.Picture4->image()));
  EXPECT_TRUE(g.savedthumbs[31].isNull());
  EXPECT_FALSE(g.Image2->hasPicture());
}

TEST_F(ShutdownTest, ExitNoRewritesSettingsButLeavesEveryPictureFile) {
  const QByteArray oldThumb = "old thumbnail, not even a picture";
  writeFile(QStringLiteral("JustText3.bmp"), oldThumb);
  writeFile(QStringLiteral("JustText21.bmp"), oldThumb);
  Form1& f = start();
  f.savedthumbs[3] = solidImage(40, 32, 0xFF);
  dialogs->answers = {vb::No};
  f.exit_Click();
  EXPECT_TRUE(f.unloaded);
  EXPECT_TRUE(f.keepthumbs == 1);
  EXPECT_EQ(filesWritten(), (QSet<QString>{QStringLiteral("messages"), QStringLiteral("restore"),
                                           QStringLiteral("JustText3.bmp"), QStringLiteral("JustText21.bmp")}));
  EXPECT_EQ(readFile(QStringLiteral("JustText3.bmp")), oldThumb);
  EXPECT_EQ(readFile(QStringLiteral("JustText21.bmp")), oldThumb);
}

TEST_F(ShutdownTest, ExitCancelReturnsToTheProgramAndTouchesNothing) {
  Form1& f = start();
  dialogs->answers = {vb::Cancel};
  f.exit_Click();
  EXPECT_FALSE(f.unloaded);
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(f.Label49->isVisibleTo(&f));
  EXPECT_TRUE(filesWritten().isEmpty());
}

TEST_F(ShutdownTest, ClosingFromTheFrameSavesWithoutAsking) {
  Form1& f = start();
  writeFile(QStringLiteral("JustText7.bmp"), "unreadable");  // an empty slot keeps its old file
  f.close();
  EXPECT_TRUE(dialogs->calls.empty());
  EXPECT_TRUE(f.unloaded);
  EXPECT_EQ(filesWritten(), (stripFiles() + QSet<QString>{QStringLiteral("messages"), QStringLiteral("restore"),
                                                          QStringLiteral("JustText7.bmp")}));
  EXPECT_EQ(readFile(QStringLiteral("JustText7.bmp")), "unreadable");
}

TEST_F(ShutdownTest, MessagesRoundTripWithTheirSeparators) {
  Form1& f = start();
  f.Text2->setText(QStringLiteral("CQ CQ de G4ABC, pse K\r\n---\r\nThanks for the \"picture\"\r\n73\r\n-----\r\nBye"));
  f.close();
  const QByteArray written = readFile(QStringLiteral("messages"));
  EXPECT_EQ(written, "\"CQ CQ de G4ABC, pse K\r\n---\r\nThanks for the 'picture'\r\n73\r\n-----\r\nBye\"\r\n");

  Form1& g = restart();
  EXPECT_EQ(g.Text2->text(), QStringLiteral("CQ CQ de G4ABC, pse K\r\n---\r\nThanks for the 'picture'\r\n73\r\n-----\r\nBye"));
  g.close();
  EXPECT_EQ(readFile(QStringLiteral("messages")), written);
}

TEST_F(ShutdownTest, FailedWritesAreReportedOnceAndTheRestIsSaved) {
  Form1& f = start();
  ASSERT_TRUE(QDir(programDir).mkdir(QStringLiteral("restore")));
  ASSERT_TRUE(QDir(programDir).mkdir(QStringLiteral("JustText25.bmp")));
  f.close();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  const QString prompt = dialogs->calls[0].prompt;
  EXPECT_TRUE(prompt.contains(QStringLiteral("restore"))) << prompt.toStdString();
  EXPECT_TRUE(prompt.contains(QStringLiteral("JustText25.bmp"))) << prompt.toStdString();
  EXPECT_FALSE(prompt.contains(QStringLiteral("messages"))) << prompt.toStdString();
  EXPECT_EQ(dialogs->calls[0].buttons, vb::OKOnly);
  QSet<QString> expected = stripFiles() + QSet<QString>{QStringLiteral("messages")};
  expected.remove(QStringLiteral("JustText25.bmp"));
  EXPECT_EQ(filesWritten(), expected);  // also: no temporary file left behind
  EXPECT_TRUE(QFileInfo(path(QStringLiteral("restore"))).isDir());
}

}  // namespace
