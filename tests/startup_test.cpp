#include <QDir>
#include <optional>

#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

// A distinct colour for each saved-picture slot.
long slotColour(int n) { return 0x010000 * n + 0x000300 * n + 7 * n; }

class StartupTest : public FormTest {};

// The state buttons show the colours the operator knows them by; nothing but the empty log's
// backup is written at start.
TEST_F(StartupTest, EmptyProgramDirectoryGivesTheDefaults) {
  Form1& f = start();
  EXPECT_TRUE(dialogs->calls.empty()) << dialogs->calls.front().title.toStdString();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("MARVANE   - SETUP YOUR CALLSIGN- Ver 10/MAR/2001"));
  EXPECT_EQ(QStringList({f.Text9->text(), f.Text10->text(), f.qsldefaults[5]}), QStringList({"20M", "595", "UTC"}));
  for (const SstvProgram& p : sstvPrograms())
    if (p.receiveDirectory != 0) EXPECT_EQ(f.savedirs[p.receiveDirectory], p.receiveDefault) << p.code;
  EXPECT_TRUE(f.simplecopypaste->isChecked() && f.Option3->value() && f.isVisible() && !f.Command2->isEnabled());
  EXPECT_EQ(f.Label34->caption(), QStringLiteral(" Normal"));
  EXPECT_EQ(std::tuple(f.VScroll1->value(), f.shadowdepth.isEmpty()), std::tuple(3, true));  // no copies yet
  EXPECT_EQ(std::tuple(f.Picture1->foreColor(), f.Picture1->font.size), std::tuple(238, 26));
  EXPECT_EQ(std::tuple(f.Text1->font().pointSize(), f.Text1->font().italic()), std::tuple(12, false));
  EXPECT_EQ(QStringList({f.Text1->text(), f.Text2->text()}), QStringList({"TYPE HERE", ""}));
  EXPECT_EQ(QDir(f.File1->path()), QDir(programDir));
  EXPECT_FALSE(f.Image2->hasPicture());
  EXPECT_EQ(QDir(programDir).entryList(QDir::Files | QDir::Hidden), QStringList({"logdata.bak"}));
  EXPECT_EQ(std::vector<long>({f.Option1->backColor(), f.Option6->backColor(), f.Option7->backColor(),
                               f.Option8->backColor(), f.Text6->backColor(), f.Label26->backColor(),
                               f.Label34->backColor(), f.Label31->backColor(), f.Text13->backColor(),
                               f.Label71->backColor(), f.Command31->backColor()}),
            std::vector<long>({ModeChosen, ModeOff, ModeOff, ModeOff, ModeOff, SetIdle, Idle, Idle, Idle, Selected,
                               OopsNormal}));
}

TEST_F(StartupTest, PreparedDirectoryIsRestored) {
  QTemporaryDir dir7;
  writeFile(QStringLiteral("restore"),
            restoreFile({{2, "\"14\""}, {75, " 6 "}, {77, "\"G4ABC\""}, {78, "\"40M\""}, {79, "\"579\""}, {80, "\"L\""},
                         {90, "\"" + dir7.path().toUtf8() + "\""}, {105, " 2 "}, {107, " 4 "}, {109, " 7 "},
                         {116, "+3 "}, {118, " 1 "}, {123, " 4 "}}));
  writeFile(QStringLiteral("messages"), "\"CQ de G4ABC\r\n---\r\n73\"\r\n");
  for (int n : {1, 2, 3, 4, 5, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30})
    writeFile(QStringLiteral("JustText%1.bmp").arg(n), bmpBytes(solidImage(n >= 22 ? 320 : 40, n <= 24 ? 32 : 16, slotColour(n))));

  Form1& f = start();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("MARVANE   - G4ABC- Ver 10/MAR/2001"));
  EXPECT_EQ(QStringList({f.Text9->text(), f.Text10->text(), f.qsldefaults[5], f.Text16->text()}),
            QStringList({"40M", "579", "UTC", "+3"}));
  EXPECT_EQ(QStringList({f.Text2->text(), f.Label47->caption(), f.textsettings[9], f.normalfontsize}),
            QStringList({"CQ de G4ABC\r\n---\r\n73", "Bold outline", "14", "14"}));
  EXPECT_TRUE(f.w95sstvv->isChecked() && f.Check17->value() && f.Option4->value() && !f.Option3->value());
  EXPECT_EQ(std::tuple(f.VScroll1->value(), f.shadowdepth.toInt(), f.Picture1->font.size), std::tuple(4, 16, 26));
  EXPECT_EQ(QDir(f.File1->path()), QDir(dir7.path()));

  // Saved pictures: page 1 in Image2, Image3, Image5, Image4; the last exit's picture in Image13;
  // the strips in Picture4 to Picture12. Slot 5 belongs to page 2 and shows nowhere yet.
  const auto colourOf = [](const QImage& img) { return img.isNull() ? -1 : pixelAt(img, 3, 3); };
  std::vector<long> shown, expected;
  for (ImageBox* box : {f.Image2, f.Image3, f.Image5, f.Image4, f.Image13}) shown.push_back(colourOf(box->picture()));
  for (int n = 4; n <= 12; ++n) shown.push_back(colourOf(f.headerStrips[n]->picture()));
  for (int slot : {1, 2, 3, 4, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}) expected.push_back(slotColour(slot));
  EXPECT_EQ(shown, expected);
  EXPECT_FALSE(f.savedthumbs[5].isNull());
}

// Item 121 is the style and the colour of the shadow copies, item 122 the graded switch; each
// goes to its own variable.
TEST_F(StartupTest, StyleAndGradedShadowItemsAreApplied) {
  const struct { QByteArray style, graded; const char* caption; long label; bool on; } cases[] = {
      {" 16776960 ", " 255 ", " Stripes", 0xFFFF00, true},
      {" 255 ", " 49344 ", "  Grad", 0xFF, false},
      {" 12345 ", "", " Normal", Idle, false},  // no style colour: Label34 as designed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    writeFile(QStringLiteral("restore"), restoreFile({{121, c.style}, {122, c.graded}, {123, "x"}}));
    Form1& f = start();
    EXPECT_EQ(std::tuple(f.Label34->caption(), f.Label34->backColor(), f.shadowcolour, f.gradedshadow),
              std::tuple(QString::fromLatin1(c.caption), c.label, c.style.trimmed().toLong(), c.on ? 1 : 0));
    EXPECT_EQ(std::tuple(f.Text13->backColor(), f.Text13->text(), f.Option3->value()),
              std::tuple(c.on ? Armed : Idle, QString::fromLatin1(c.on ? " 1" : " Off"), true));
    if (c.on) EXPECT_EQ(f.shadowbase, 0xFF);  // RGB(255, 0, 0)
  }
}

// A second copy is refused while the first runs, and so is a start that cannot tell: on a folder
// it cannot read, the lock file that stands for the folder is a folder. Each says why, naming
// the lock file, and touches nothing.
TEST_F(StartupTest, SecondInstanceIsRefusedWithoutTouchingAnyFile) {
  writeFile(QStringLiteral("logdata"), "\"\r\nG4ABC Fred\"\r\n");
  const QString duplicate = QStringLiteral(
      "You are trying to open this application a second time.\r\nThere will be BIG TROUBLE if this takes place.\r\n"
      "Click OK to abort.");
  const QString lockFile = QStringLiteral("Marvane cannot use its lock file\r\n") + path(QStringLiteral(".marvane.lock")) +
                           QStringLiteral(" (Is a directory)\r\nwhich keeps a second Marvane off the folder. Remove "
                                          "that file, then start Marvane again.\r\nClick OK to abort.");
  for (const bool running : {true, false}) {
    SCOPED_TRACE(running ? "running" : "lock file a folder");
    if (running) {
      start();
      QFile::remove(path(QStringLiteral("logdata.bak")));
    } else {
      build();
      ASSERT_TRUE(QDir(programDir).mkdir(QStringLiteral(".marvane.lock")));
      QFile::setPermissions(programDir, QFile::WriteOwner | QFile::ExeOwner);
    }
    const QStringList before = QDir(programDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    dialogs->calls.clear();
    {
      std::optional<AsOrdinaryUser> user;
      if (!running) user.emplace(dataHome.path());
      Form1 second(form->env);
      EXPECT_FALSE(second.Form_Load());
      second.unloaded = true;
      EXPECT_TRUE(second.logtext.isEmpty());
      EXPECT_FALSE(second.isVisible());
    }
    EXPECT_TRUE(shownOnce(QStringLiteral("DUPLICATE INSTANCE Marvane"), running ? duplicate : lockFile, vb::OKOnly));
    EXPECT_EQ(QDir(programDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
  }
}

// Only a screen at exactly 96 dots per inch is at 15 twips per pixel.
TEST_F(StartupTest, LargeFontsWarnsOnEveryResolutionButNinetySix) {
  for (double dpi : {93.0, 95.5, 96.0, 97.0, 99.0, 120.0, 72.0}) {
    build().env.screenDpi = [dpi] { return dpi; };
    dialogs->calls.clear();
    EXPECT_TRUE(form->Form_Load());
    EXPECT_EQ(dialogs->calls.size() == 1 && dialogs->calls[0].title == QStringLiteral("LARGE FONTS"), dpi != 96) << dpi;
  }
}

// A data folder that cannot be made is named once at start, as the backup it keeps from being
// written, and the program runs; at exit no earlier files are said to be kept, since there were none.
TEST_F(StartupTest, FolderThatCannotBeWrittenIsNamedAtStartAndTheProgramRuns) {
  ASSERT_TRUE(QDir(programDir).removeRecursively());
  writeBytes(programDir, "a file where the folder should be");
  Form1& f = start();
  ASSERT_EQ(dialogs->calls.size(), 2u);
  EXPECT_EQ(dialogs->calls[0].title, QStringLiteral("Program Folder"));
  EXPECT_TRUE(dialogs->calls[0].prompt.contains(programDir)) << dialogs->calls[0].prompt.toStdString();
  EXPECT_TRUE(dialogs->calls[1].prompt.startsWith(QStringLiteral("The call log could not be copied to \"logdata.bak\" (")));
  EXPECT_TRUE(f.isVisible());
  f.close();
  ASSERT_EQ(dialogs->calls.size(), 3u);
  EXPECT_TRUE(dialogs->calls[2].prompt.startsWith(QStringLiteral("Could not save messages, restore")));
  EXPECT_FALSE(dialogs->calls[2].prompt.contains(QStringLiteral("previous files")));
}

// The saved program chooses the captions and the layout; the saved direction its option.
TEST_F(StartupTest, SavedProgramAndDirectionAreChosenAgain) {
  const std::pair<QByteArray, OptionButton* Form1::*> directions[] = {
      {"", &Form1::Option3}, {" 5 ", &Form1::Option5}, {" 2 ", &Form1::Option2}, {" 4 ", &Form1::Option4},
      {"x", &Form1::Option3}};
  int k = 0;
  for (const SstvProgram& p : sstvPrograms()) {
    SCOPED_TRACE(p.code);
    const auto& [direction, option] = directions[k++ % std::size(directions)];
    writeFile(QStringLiteral("restore"), restoreFile({{75, " " + QByteArray::number(p.code) + " "}, {123, direction}}));
    Form1& f = start();
    // MScan names no import caption: the button keeps the one it was laid out with.
    const QString import = !p.importCaptionAtStartUp.isNull() ? p.importCaptionAtStartUp
                           : !p.importCaption.isNull()        ? p.importCaption
                                                              : QStringLiteral("Paste");
    const int width = p.widePicture ? 340 : 320;
    EXPECT_EQ(std::tuple(f.sstvprogram, f.Command1->caption(), f.Command3->caption(), f.Picture1->scaleWidth(), f.frameWidth()),
              std::tuple(p.code, import, p.sendCaption, width, width));
    EXPECT_TRUE((f.*option)->value());
    EXPECT_EQ(f.Option2->value() + f.Option3->value() + f.Option4->value() + f.Option5->value(), 1);
  }
}

}  // namespace
