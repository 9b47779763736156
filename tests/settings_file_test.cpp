#include <QDir>
#include <QLocale>
#include <clocale>
#include <functional>

#include "app/itemfile.h"
#include "platform/colour.h"
#include "tests/support/form_fixture.h"

namespace {

// The settings file as its lines, after checking that every line ends in CR LF and that no CR
// or LF stands anywhere else.
std::vector<QByteArray> restoreLines(const QByteArray& bytes) {
  EXPECT_TRUE(bytes.endsWith("\r\n"));
  QList<QByteArray> lines = bytes.split('\n');
  lines.removeLast();
  for (QByteArray& line : lines) {
    EXPECT_TRUE(line.endsWith('\r') && line.count('\r') == 1) << line.constData();
    line.chop(1);
  }
  return {lines.begin(), lines.end()};
}

class SettingsFileTest : public FormTest {
 protected:
  // Ends the run as closing the window does, and gives the settings file written.
  std::vector<QByteArray> exitAndRead() {
    form->Form_Unload();
    return restoreLines(readFile(QStringLiteral("restore")));
  }
};

// What the operator leaves at exit, the lines it must give, and what the next start shows.
struct RoundTrip {
  const char* what;
  std::function<void(Form1&)> set;
  std::map<int, QByteArray> lines;
  std::function<void(Form1&)> check;
};

// Each file has 127 lines, and every value comes back: the next exit writes the same bytes. The
// runs are made with a locale that writes numbers with a comma; the file keeps the point.
TEST_F(SettingsFileTest, ValuesSurviveTheRoundTripAndBreakNoLayout) {
  const std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  const QLocale oldLocale;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const QString programDirectory = programDir;
  QString textFont;
  const RoundTrip trips[] = {
      {"a fresh program with a few choices made",
       [&](Form1& f) {
         f.savedfonts[1] = QStringLiteral("Courier New");
         f.savedirs[1] = QStringLiteral("/home/op/pictures");
         f.savedirs[17] = QStringLiteral("c:\\Program Files\\MMSSTV\\History");
         f.dirlistindex[2] = 7;
         f.lastdirbutton = 1;
         f.Label10->setBackColor(0x123456);
         f.Option5->setValue(true);
         // The swatch shows the text colour, as after any palette choice (its design colour is not
         // the start-up's 238, which would make item 7 follow item 124 at the next start).
         f.Label25->setBackColor(238);
         textFont = f.Text1->font().family();
       },
       {{7, "\"238\""}, {9, "\"26\""},  // the picture's font size at exit
        {15, "\"Courier New\""}, {72, "\"1193046\""}, {75, " 1 "}, {77, "\"SETUP YOUR CALLSIGN\""}, {78, "\"20M\""},
        {79, "\"595\""}, {80, "\"UTC\""}, {82, "\"/home/op/pictures\""},
        {89, "\"c:\\Program Files\\JVComm32\\SSTV-Lastreceived\""}, {97, "7"},  // list positions without blanks
        {104, " 0 "}, {107, " 3 "}, {109, " 1 "}, {110, " 1 "}, {121, " 49344 "}, {123, " 5 "}, {124, " 238 "},
        {125, " 65535 "}, {127, "\"c:\\Program Files\\MMSSTV\\History\""}},
       [&](Form1& g) { EXPECT_EQ(std::tuple(g.Text1->font().family(), g.Picture1->foreColor()), std::tuple(textFont, 238L)); }},
      {"a comma, decimals, a negative offset, no directory button, a graded shadow at 4",
       [](Form1& f) {
         f.savedirs[3] = QStringLiteral("/data/sstv, old pictures");
         f.textsettings[9] = QStringLiteral("12.75");  // the picture's font size this run started with
         f.Text16->setText(QStringLiteral("-2.5"));
         f.Label25->setBackColor(1234567);
         f.textsettings[7] = QStringLiteral("1234567");
         f.lastdirbutton = Variant();
         f.gradedSwitchOn();
         ASSERT_TRUE(f.HScroll5->setValueChecked(4));
         f.sstvprogram = 8;
       },
       {{84, "\"/data/sstv, old pictures\""}, {2, "\"12.75\""}, {116, "-2.5"}, {124, " 1234567 "}, {109, ""}, {110, " 4 "},
        {75, " 8 "}},
       [&](Form1& g) {
         // The comma shifts nothing; HScroll5's change runs after the graded switch came on.
         EXPECT_EQ(QStringList({g.savedirs[3], g.savedirs[4], g.normalfontsize, g.Text16->text(), g.Text13->text()}),
                   QStringList({"/data/sstv, old pictures", "", "12.75", "-2.5", " 4"}));
         EXPECT_TRUE(g.lastdirbutton.isEmpty());
         EXPECT_EQ(QDir(g.File1->path()), QDir(programDirectory));
         EXPECT_EQ(std::tuple(g.HScroll5->value(), g.shadowbase, g.sstvprogram, g.Picture1->foreColor()),
                   std::tuple(4, colour::rgb(234, 235, 214), 8, 1234567L));
         EXPECT_TRUE(g.jvcomm1->isChecked());
       }},
      {"quotes, line breaks and an offset that is no number",
       [](Form1& f) {
         f.savedirs[1] = QStringLiteral("c:\\My \"best\" pics");
         f.savedfonts[1] = QStringLiteral("Two\r\nLines");
         f.savedfonts[2] = QStringLiteral("Lone\nLF\rCR");
         f.Text16->setText(QStringLiteral("5,5\""));
       },
       {{82, "\"c:\\My 'best' pics\""}, {15, "\"Two  Lines\""}, {16, "\"Lone LF CR\""}, {116, ""}},
       [](Form1& g) {
         EXPECT_EQ(QStringList({g.savedirs[1], g.savedfonts[1], g.savedfonts[3], g.Text16->text(), g.qsldefaults[4],
                                g.savedirs[8]}),
                   QStringList({"c:\\My 'best' pics", "Two  Lines", "", "", "595",
                                "c:\\Program Files\\JVComm32\\SSTV-Lastreceived"}));
       }},
      {"black text on black",
       [](Form1& f) {
         f.Label25->setBackColor(0);
         f.textsettings[7] = QStringLiteral("0");
         f.Label45->setBackColor(0);
       },
       {{124, " 0 "}, {125, " 0 "}},
       [](Form1& g) {
         EXPECT_EQ(std::vector<long>({g.Picture1->foreColor(), g.Label25->backColor(), g.Picture1->backColor(),
                                      g.Label45->backColor()}),
                   std::vector<long>(4, 0));
         EXPECT_EQ(g.textsettings[7], QStringLiteral("0"));
       }},
  };
  for (const RoundTrip& trip : trips) {
    SCOPED_TRACE(trip.what);
    trip.set(start());
    const auto lines = exitAndRead();
    const QByteArray written = readFile(QStringLiteral("restore"));
    ASSERT_EQ(lines.size(), 127u);
    for (const auto& [item, line] : trip.lines) EXPECT_EQ(lines[item - 1], line) << "item " << item;
    dialogs->calls.clear();
    trip.check(start());
    EXPECT_TRUE(dialogs->calls.empty()) << "a file in Marvane's own form is never copied";
    exitAndRead();
    EXPECT_EQ(readFile(QStringLiteral("restore")), written);
  }
  EXPECT_TRUE(QDir(programDir).entryList({QStringLiteral("restore.*")}).isEmpty());
  QLocale::setDefault(oldLocale);
  std::setlocale(LC_NUMERIC, oldNumeric.c_str());
}

TEST_F(SettingsFileTest, DamagedItemsFallBack) {
  writeFile(QStringLiteral("restore"), restoreFile({{75, " 12 "}, {109, " 9 "}, {124, ""}, {125, " 16777216 "}}));
  Form1& f = start();
  EXPECT_EQ(std::tuple(f.sstvprogram, f.simplecopypaste->isChecked(), f.Command1->caption(), f.Command3->caption()),
            std::tuple(1, true, QStringLiteral("Paste"), QStringLiteral("Copy")));
  EXPECT_EQ(QDir(f.File1->path()), QDir(programDir));
  EXPECT_EQ(std::tuple(f.Picture1->foreColor(), f.textsettings[7], f.Picture1->backColor()),
            std::tuple(238L, QStringLiteral("238"), 0xFFFFL));

  // A remembered directory that has gone opens the program directory too.
  writeFile(QStringLiteral("restore"), restoreFile({{84, "\"/no/such/directory\""}, {109, " 3 "}}));
  EXPECT_EQ(QDir(start().File1->path()), QDir(programDir));
}

// Numbers beyond what their controls and variables take are held within range and written back
// so; the hours offset keeps the words typed after it.
TEST_F(SettingsFileTest, NumbersAreHeldWithinTheirRangesAndWrittenBackSo) {
  const QByteArray huge = "1" + QByteArray(400, '0');
  const std::map<int, std::pair<QByteArray, QByteArray>> items = {
      {75, {" " + huge + " ", " 1 "}},  // no such program: Simple Copy Paste
      {76, {" 7 ", " 1 "}},
      {96, {"-99999999999", "-1"}},
      {97, {"2.6", "3"}},
      {98, {"99999\"", "99999'"}},  // a text stays a text: no number slips past its range
      {104, {" 100000000000000000000 ", " 0 "}},  // a scroll bar refuses what it cannot show
      {105, {" 7 ", " 2 "}},
      {106, {" 2000000000 ", " 400 "}},
      {107, {" -" + huge + " ", " 3 "}},
      {109, {" 100000000000000000000 ", " 8 "}},
      {110, {" 65536 ", " 1 "}},
      {116, {"-10 hrs", "-10 hrs"}},
  };
  std::map<int, QByteArray> file = {{121, " " + huge + " "}, {122, " -7 "}};
  for (const auto& [item, lines] : items) file[item] = lines.first;
  writeFile(QStringLiteral("restore"), restoreFile(file));
  Form1& f = start();
  EXPECT_EQ(std::tuple(f.shadowdepth.toInt(), f.lastdirbutton.toInt(), f.shadowcolour, f.keycolour, f.tipsoffflag),
            std::tuple(400, 8, 0xFFFFFFL, 0L, 1));
  EXPECT_EQ(f.Text16->text(), QStringLiteral("-10 hrs"));
  const auto lines = exitAndRead();
  for (const auto& [item, line] : items) EXPECT_EQ(lines[item - 1], line.second) << "item " << item;
}

TEST_F(SettingsFileTest, WindowsDirectoryOpensInTheWinePrefixAndStaysAsWritten) {
  QTemporaryDir wine;
  ASSERT_TRUE(QDir().mkpath(wine.path() + QStringLiteral("/drive_c/SSTV Pics/Rx")));
  const ScopedEnv prefix("WINEPREFIX", wine.path().toLocal8Bit());
  writeFile(QStringLiteral("restore"), restoreFile({{90, "\"C:\\sstv pics\\RX\\\""}, {109, " 7 "}}));
  EXPECT_EQ(QDir(start().File1->path()), QDir(wine.path() + QStringLiteral("/drive_c/SSTV Pics/Rx")));
  EXPECT_EQ(exitAndRead()[89], "\"C:\\sstv pics\\RX\\\"");
}

TEST(ItemFileTest, ReaderFollowsBothFormsAcrossCommasAndLineEnds) {
  ItemReader r("\"a, b\"  , 12 ,\"multi\r\nline\"\r\n  -5  \r\n\r\n\"\"\r\nlast");
  for (const char* e : {"a, b", "12", "multi\r\nline", "-5", "", "", "last"}) {
    const auto item = r.next();
    ASSERT_TRUE(item.has_value()) << e;
    EXPECT_EQ(item->text, QString::fromLatin1(e));
  }
  EXPECT_FALSE(r.next().has_value());
  // A file written on Windows in its 8-bit code page still reads.
  EXPECT_EQ(ItemReader("\"Caf\xE9\"\r\n").next()->text, QStringLiteral("Caf\u00E9"));
  // A stray byte in a UTF-8 file changes no other character.
  EXPECT_EQ(ItemReader("\"M\xC3\xBCnchen \xFF\"\r\n").next()->text, QStringLiteral("M\u00FCnchen \u00FF"));
}

}  // namespace
