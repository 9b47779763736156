#include <QDir>
#include <QSet>

#include "tests/support/form_fixture.h"

namespace {

const QString closeQuestion = QStringLiteral(
    "Click YES to Exit and Save Updated Thumbnails\r\nClick NO to Exit and leave original Thumbnails untouched\r\n"
    "Click CANCEL to return to Program");

class ShutdownTest : public FormTest {
 protected:
  QSet<QString> filesWritten() const {
    QStringList names = QDir(programDir).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(QStringLiteral("logdata.bak"));  // the start's
    return QSet<QString>(names.begin(), names.end());
  }
  // The settings, the messages and, unless left out, the exit picture and the header strips.
  static QSet<QString> filesOfAnExit(bool pictures, QStringList others = {}) {
    QSet<QString> names{QStringLiteral("messages"), QStringLiteral("restore")};
    for (int n = 21; pictures && n <= 30; ++n) names << QStringLiteral("JustText%1.bmp").arg(n);
    return names + QSet<QString>(others.begin(), others.end());
  }
};

// Exit asks first: Yes saves the exit picture and the strips (never an empty slot, never the
// scrap book), No rewrites the settings but leaves every picture file, Cancel touches nothing.
// Closing from the frame saves without asking. The messages keep their separators; a quote
// becomes an apostrophe, so the next start reads back what it will write again. A saved-picture
// file that is no picture keeps its bytes beside it from the start on.
TEST_F(ShutdownTest, ExitAndCloseSaveWhatTheAnswerSays) {
  const QByteArray oldFile = "old thumbnail, not even a picture";
  const QImage picture = solidImage(320, 256, 0x3366CC), strip = solidImage(320, 32, 0x00FF00);
  const QString messages = QStringLiteral("CQ CQ de G4ABC, pse K\r\n---\r\nThanks for the \"picture\"\r\n73\r\n-----\r\nBye");
  const struct { int answer; bool asked, unloaded, pictures; } cases[] = {
      {vb::Yes, true, true, true}, {vb::No, true, true, false}, {vb::Cancel, true, false, false}, {0, false, true, true}};
  const QStringList old = {"JustText3.bmp", "JustText7.bmp", "JustText3.bmp.damaged", "JustText7.bmp.damaged"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    for (const QString& name : filesWritten()) QFile::remove(path(name));
    writeFile(QStringLiteral("JustText3.bmp"), oldFile);
    writeFile(QStringLiteral("JustText7.bmp"), oldFile);  // an empty slot keeps its old file
    Form1& f = start();
    dialogs->calls.clear();
    f.Text2->setText(messages);
    f.Picture1->setPicture(picture);
    f.Picture4->setPicture(strip);
    f.savedthumbs[3] = solidImage(40, 32, 0xFF);
    f.savedthumbs[31] = solidImage(40, 32, 0xFF);  // scrap book: never saved
    dialogs->answers = {c.answer};
    if (c.asked) f.exit_Click();
    else f.close();
    EXPECT_TRUE(c.asked ? shownOnce(QStringLiteral("Close Program"), closeQuestion, vb::YesNoCancel) : dialogs->calls.empty());
    EXPECT_EQ(std::tuple(f.unloaded, f.isVisible(), f.Label49->isVisibleTo(&f)), std::tuple(c.unloaded, !c.unloaded, c.unloaded));
    if (!c.unloaded) {
      EXPECT_TRUE(filesWritten() == QSet<QString>(old.begin(), old.end()));
      continue;
    }
    EXPECT_EQ(filesWritten(), filesOfAnExit(c.pictures, old));
    EXPECT_EQ(readFile(QStringLiteral("JustText3.bmp")) == oldFile, !c.pictures);
    EXPECT_EQ(readFile(QStringLiteral("JustText7.bmp")), oldFile);
    EXPECT_EQ(readFile(QStringLiteral("JustText3.bmp.damaged")), oldFile);
    EXPECT_EQ(readFile(QStringLiteral("messages")),
              "\"CQ CQ de G4ABC, pse K\r\n---\r\nThanks for the 'picture'\r\n73\r\n-----\r\nBye\"\r\n");
    if (c.pictures) {
      EXPECT_TRUE(sameImage(f.Image1->picture(), f.Picture1->picture()));
      EXPECT_TRUE(sameImage(picture, QImage::fromData(readFile(QStringLiteral("JustText21.bmp")), "BMP")));
      EXPECT_TRUE(sameImage(strip, QImage::fromData(readFile(QStringLiteral("JustText22.bmp")), "BMP")));
    }
    Form1& g = start();
    EXPECT_EQ(g.Text2->text(), QString(messages).replace(u'"', u'\''));
    if (!c.pictures) continue;
    ASSERT_TRUE(g.Image13->hasPicture());
    EXPECT_TRUE(sameImage(picture, g.Image13->picture()));
    EXPECT_TRUE(sameImage(strip, g.Picture4->image()));
    EXPECT_TRUE(g.savedthumbs[31].isNull());
  }
}

// What the operator chose comes back at a start; a mode left on at the next exit may hold a control
// or the main picture for something passing: the start after it has what the operator chose all
// the same, in "restore" (its line, 0 for the exit picture) and in the control, and the exit shows
// no box for it. A picture is chosen in the session that leaves the mode on.
TEST_F(ShutdownTest, AModeLeftOnAtTheExitKeepsTheOperatorsOwnValue) {
  constexpr long Blue = 0xFF0000;
  const QString picture = dataHome.filePath(QStringLiteral("blue.bmp")), whole = QString::number(320 * 256);
  writeBytes(picture, bmpBytes(solidImage(320, 256, Blue)));
  const auto chooseFont = [this](Form1& f) {
    dialogs->font.answers = {QFont(QStringLiteral("DejaVu Serif"))};
    f.changefont->trigger();
  };
  const auto fontAndCall = [&](Form1& f) {
    chooseFont(f);
    f.Text3->setText(QStringLiteral("G4ABC"));
    f.Text4->setText(QStringLiteral("Fred, Leeds"));
    dialogs->answers = {vb::Yes};
    f.Command2->click();  // Save Call
  };
  const auto search = [](Form1& f) { f.Text3->setText(QStringLiteral("fred")), emit f.Label48->clicked(); };
  // The close comes among the window events of the handler's second DoEvents.
  const auto closeLater = [](Form1& f) {
    QMetaObject::invokeMethod(&f, [&f] { QMetaObject::invokeMethod(&f, &QWidget::close, Qt::QueuedConnection); }, Qt::QueuedConnection);
  };
  // The close arrives in the window events the search lets run before it takes Text1's font.
  const auto closeAsSearchStarts = [&](Form1& f) {
    QMetaObject::invokeMethod(&f, &QWidget::close, Qt::QueuedConnection);
    search(f);
  };
  const auto pickCharacter = [](Form1& f) {
    const int a = f.Combo3->findText(QStringLiteral("a"));
    f.Combo3->setCurrentIndex(a);
    emit f.Combo3->activated(a);
  };
  const auto pressColour = [](Form1& f, int n) { emit f.palette[n]->mouseDown(mousebutton::Left, 0, 0, 0); };
  const auto dragInColFill = [&](Form1& f) { recordDrags(), emit f.Label38->clicked(), pressColour(f, 6); };
  const auto loadBlue = [&](Form1& f) { dialogs->open.answers = {picture}, f.loadpic->trigger(); };
  const auto previewStripes = [](Form1& f) {
    f.Text1->setText(QStringLiteral("HI"));
    emit f.Picture1->mouseDown(mousebutton::Left, 0, 100, 100);
    emit f.Picture1->mouseUp(mousebutton::Left, 0, 100, 100);
    emit f.Label34->clicked();
  };
  const auto textFace = [](Form1& g) { return g.Text1->font().family(); };
  const auto bluePixels = [](Form1& g) { return QString::number(countColour(g.Image13->picture(), Blue)); };
  const struct {
    const char* state;
    std::function<void(Form1&)> choose, pass;
    int line;
    QString value;
    std::function<QString(Form1&)> shown;
    bool sameSession = false;
  } rows[] = {
      {"wildcard search", fontAndCall, search, 1, "DejaVu Serif", textFace},
      {"closed as the search starts", fontAndCall, closeAsSearchStarts, 1, "DejaVu Serif", textFace},
      {"font chosen while the list shows", [](Form1&) {}, [&](Form1& f) { search(f), chooseFont(f); }, 1, "DejaVu Serif", textFace},
      {"font saved to F1 while the list shows", fontAndCall,
       [&](Form1& f) { search(f), f.savefontandcolor->trigger(), f.Check1->click(); }, 15, "DejaVu Serif",
       [](Form1& g) { return g.savedfonts[1]; }},
      {"closed while the QSL band prints", [](Form1& f) { f.Check16->click(); },
       [&](Form1& f) { closeLater(f), f.Command32->click(); }, 120, "1", [](Form1& g) { return QString::number(g.Check16->value()); }},
      {"picture font", chooseFont, pickCharacter, 8, "DejaVu Serif", [](Form1& g) { return g.Picture1->font.name; }},
      {"ColFill", [&](Form1& f) { pressColour(f, 10); }, dragInColFill, 124, QString::number(0x808080),
       [](Form1& g) { return QString::number(g.Picture1->foreColor()); }},
      {"Stripes preview", loadBlue, previewStripes, 0, whole, bluePixels, true},
      {"header maker", loadBlue, [](Form1& f) { f.makeheader->trigger(); }, 0, whole, bluePixels, true},
  };
  const auto restoreItem = [this](int line) {
    return QString(readFile(QStringLiteral("restore")).split('\n').value(line - 1).trimmed()).remove(u'"');
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.state);
    for (const QString& name : filesWritten()) QFile::remove(path(name));
    Form1* f = &start();
    r.choose(*f);
    if (!r.sameSession) f->close(), f = &start();
    r.pass(*f);
    const size_t boxes = dialogs->calls.size();
    f->close();
    EXPECT_EQ(dialogs->calls.size(), boxes);
    if (r.line) EXPECT_EQ(restoreItem(r.line), r.value);
    EXPECT_EQ(r.shown(start()), r.value);
  }
}

TEST_F(ShutdownTest, FailedWritesAreReportedOnceAndTheRestIsSaved) {
  Form1& f = start();
  ASSERT_TRUE(QDir(programDir).mkdir(QStringLiteral("restore")));
  ASSERT_TRUE(QDir(programDir).mkdir(QStringLiteral("JustText25.bmp")));
  f.close();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  const QString prompt = dialogs->calls[0].prompt;
  EXPECT_TRUE(prompt.contains(QStringLiteral("restore")) && prompt.contains(QStringLiteral("JustText25.bmp")) &&
              !prompt.contains(QStringLiteral("messages")) && prompt.endsWith(QStringLiteral("The previous files were kept.")))
      << prompt.toStdString();
  EXPECT_EQ(dialogs->calls[0].buttons, vb::OKOnly);
  QSet<QString> expected = filesOfAnExit(true);
  expected.remove(QStringLiteral("JustText25.bmp"));
  expected.remove(QStringLiteral("restore"));
  EXPECT_EQ(filesWritten(), expected);  // also: no temporary file left behind
  EXPECT_TRUE(QFileInfo(path(QStringLiteral("restore"))).isDir());
}

}  // namespace
