#include <QDir>
#include <QLocale>
#include <clocale>
#include <map>

#include "app/itemfile.h"
#include "tests/support/form_fixture.h"

namespace {

// The settings file as its 127 lines, after checking that every line ends in CR LF and that no
// CR or LF stands anywhere else.
std::vector<QByteArray> restoreLines(const QByteArray& bytes) {
  std::vector<QByteArray> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype end = bytes.indexOf("\r\n", start);
    if (end < 0) {
      ADD_FAILURE() << "last line without CR LF";
      break;
    }
    const QByteArray line = bytes.mid(start, end - start);
    EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << "line " << lines.size() + 1 << ": " << line.constData();
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}


class SettingsFileTest : public FormTest {
 protected:
  // Ends the run as closing the window does, and gives the settings file written.
  std::vector<QByteArray> exitAndRead() {
    form->Form_Unload();
    return restoreLines(readFile(QStringLiteral("restore")));
  }
  Form1& restart() {
    form->unloaded = true;
    form.reset();
    return start();
  }
};

TEST_F(SettingsFileTest, FreshProgramWrites127LinesThatReadBackAndRewriteIdentically) {
  Form1& f = start();
  f.savedfonts[1] = QStringLiteral("Courier New");
  f.savedirs[1] = QStringLiteral("/home/op/pictures");
  f.savedirs[17] = QStringLiteral("c:\\Program Files\\MMSSTV\\History");
  f.dirlistindex[2] = 7;
  f.lastdirbutton = 1;
  f.Label10->setBackColor(0x123456);
  f.Option5->setValue(true);
  // The swatch shows the text colour, as after any palette choice (its design colour is not the
  // start-up's 238, which would make item 7 follow item 124 at the next start).
  f.Label25->setBackColor(238);
  const QString textFont = f.Text1->font().family();
  const auto lines = exitAndRead();
  ASSERT_EQ(lines.size(), 127u);
  const QByteArray first = readFile(QStringLiteral("restore"));

  EXPECT_EQ(lines[0], "\"" + textFont.toUtf8() + "\"");  // item 1: the text box's font
  EXPECT_EQ(lines[8], "\"26\"");                         // item 9: the picture's font size at exit
  EXPECT_EQ(lines[14], "\"Courier New\"");                // item 15: F1's font
  EXPECT_EQ(lines[71], "\"1193046\"");                    // item 72: C2 in decimal
  EXPECT_EQ(lines[74], " 1 ");                            // item 75: Simple Copy Paste
  EXPECT_EQ(lines[76], "\"SETUP YOUR CALLSIGN\"");        // items 77-80: QSL defaults
  EXPECT_EQ(lines[77], "\"20M\"");
  EXPECT_EQ(lines[78], "\"595\"");
  EXPECT_EQ(lines[79], "\"UTC\"");
  EXPECT_EQ(lines[81], "\"/home/op/pictures\"");          // item 82: Dir 1
  EXPECT_EQ(lines[88], "\"c:\\Program Files\\JVComm32\\SSTV-Lastreceived\"");  // item 89: savedirs 8
  EXPECT_EQ(lines[96], "7");                              // item 97: list position, no blanks
  EXPECT_EQ(lines[103], " 0 ");                           // item 104: outline colour scroll bar
  EXPECT_EQ(lines[106], " 3 ");                           // item 107: shadow depth scroll bar
  EXPECT_EQ(lines[108], " 1 ");                           // item 109: last directory button
  EXPECT_EQ(lines[109], " 1 ");                           // item 110: shadow effect scroll bar
  EXPECT_EQ(lines[120], " 49344 ");                       // item 121: style colour, Normal
  EXPECT_EQ(lines[122], " 5 ");                           // item 123: shadow direction
  EXPECT_EQ(lines[6], "\"238\"");                        // item 7: text colour
  EXPECT_EQ(lines[123], " 238 ");                         // item 124: text colour
  EXPECT_EQ(lines[124], " 65535 ");                       // item 125: text back colour
  EXPECT_EQ(lines[126], "\"c:\\Program Files\\MMSSTV\\History\"");  // item 127

  Form1& g = restart();
  EXPECT_EQ(g.savedfonts[1], QStringLiteral("Courier New"));
  EXPECT_EQ(g.savedirs[1], QStringLiteral("/home/op/pictures"));
  EXPECT_EQ(g.savedirs[17], QStringLiteral("c:\\Program Files\\MMSSTV\\History"));
  EXPECT_TRUE(g.dirlistindex[2] == 7);
  EXPECT_EQ(g.Label10->backColor(), 0x123456);
  EXPECT_TRUE(g.Option5->value());
  EXPECT_EQ(g.Label25->backColor(), 238);
  EXPECT_EQ(g.Picture1->foreColor(), 238);
  const auto again = exitAndRead();
  const auto firstLines = restoreLines(first);
  ASSERT_EQ(again.size(), firstLines.size());
  for (size_t k = 0; k < again.size(); ++k) EXPECT_EQ(again[k], firstLines[k]) << "line " << k + 1;
  EXPECT_EQ(readFile(QStringLiteral("restore")), first);
}

TEST_F(SettingsFileTest, EdgeValuesSurviveTheRoundTrip) {
  Form1& f = start();
  f.savedirs[3] = QStringLiteral("/data/sstv, old pictures");
  f.Text16->setText(QStringLiteral("-5"));
  f.lastdirbutton = Variant();
  ASSERT_TRUE(f.HScroll5->setValueChecked(4));
  f.sstvprogram = 8;
  const auto lines = exitAndRead();
  ASSERT_EQ(lines.size(), 127u);
  EXPECT_EQ(lines[83], "\"/data/sstv, old pictures\"");
  EXPECT_EQ(lines[115], "-5");
  EXPECT_EQ(lines[108], "");
  EXPECT_EQ(lines[109], " 4 ");
  EXPECT_EQ(lines[74], " 8 ");

  int hscroll5Changes = 0;
  build();
  QObject::connect(form->HScroll5, &ScrollBar::change, [&] { ++hscroll5Changes; });
  Form1& g = *form;
  ASSERT_TRUE(g.Form_Load());
  EXPECT_EQ(g.savedirs[3], QStringLiteral("/data/sstv, old pictures"));
  EXPECT_EQ(g.savedirs[4], QString());  // the comma shifted nothing
  EXPECT_EQ(g.Text16->text(), QStringLiteral("-5"));
  EXPECT_TRUE(g.lastdirbutton.isEmpty());
  EXPECT_EQ(QDir(g.File1->path()), QDir(programDir));
  EXPECT_EQ(g.HScroll5->value(), 4);
  EXPECT_EQ(hscroll5Changes, 1);
  EXPECT_EQ(g.sstvprogram, 8);
  EXPECT_TRUE(g.jvcomm1->isChecked());
}

TEST_F(SettingsFileTest, TextsThatWouldBreakTheLayoutAreWrittenHarmlessly) {
  Form1& f = start();
  f.savedirs[1] = QStringLiteral("c:\\My \"best\" pics");
  f.savedfonts[1] = QStringLiteral("Two\r\nLines");
  f.savedfonts[2] = QStringLiteral("Lone\nLF\rCR");
  f.Text16->setText(QStringLiteral("5,5\""));
  const auto lines = exitAndRead();
  ASSERT_EQ(lines.size(), 127u);
  EXPECT_EQ(lines[81], "\"c:\\My 'best' pics\"");
  EXPECT_EQ(lines[14], "\"Two  Lines\"");
  EXPECT_EQ(lines[15], "\"Lone LF CR\"");
  EXPECT_EQ(lines[115], "");

  Form1& g = restart();
  EXPECT_EQ(g.savedirs[1], QStringLiteral("c:\\My 'best' pics"));
  EXPECT_EQ(g.savedfonts[1], QStringLiteral("Two  Lines"));
  EXPECT_EQ(g.savedfonts[3], QString());
  EXPECT_EQ(g.Text16->text(), QString());
  EXPECT_EQ(g.qsldefaults[4], QStringLiteral("595"));
  EXPECT_EQ(g.savedirs[8], QStringLiteral("c:\\Program Files\\JVComm32\\SSTV-Lastreceived"));
}

TEST_F(SettingsFileTest, StoredBlackComesBackAsBlackAndEmptyKeepsTheDefault) {
  Form1& f = start();
  f.Label25->setBackColor(0);
  f.Label45->setBackColor(0);
  const auto lines = exitAndRead();
  EXPECT_EQ(lines[123], " 0 ");
  EXPECT_EQ(lines[124], " 0 ");
  Form1& g = restart();
  EXPECT_EQ(g.Picture1->foreColor(), 0);
  EXPECT_EQ(g.Label25->backColor(), 0);
  EXPECT_EQ(g.Picture1->backColor(), 0);
  EXPECT_EQ(g.Label45->backColor(), 0);
  EXPECT_EQ(g.textsettings[7], QStringLiteral("0"));

  writeFile(QStringLiteral("restore"), restoreFile({{124, ""}, {125, " 16777216 "}}));
  Form1& h = restart();
  EXPECT_EQ(h.Picture1->foreColor(), 238);
  EXPECT_EQ(h.textsettings[7], QStringLiteral("238"));
  EXPECT_EQ(h.Picture1->backColor(), 0xFFFF);
}

TEST_F(SettingsFileTest, DamagedProgramCodeAndDirectoryButtonFallBack) {
  writeFile(QStringLiteral("restore"), restoreFile({{75, " 12 "}, {109, " 9 "}}));
  Form1& f = start();
  EXPECT_EQ(f.sstvprogram, 1);
  EXPECT_TRUE(f.simplecopypaste->isChecked());
  EXPECT_EQ(f.Command1->caption(), QStringLiteral("Paste"));
  EXPECT_EQ(f.Command3->caption(), QStringLiteral("Copy"));
  EXPECT_EQ(QDir(f.File1->path()), QDir(programDir));

  // A remembered directory that has gone opens the program directory too.
  writeFile(QStringLiteral("restore"), restoreFile({{84, "\"/no/such/directory\""}, {109, " 3 "}}));
  Form1& g = restart();
  EXPECT_EQ(QDir(g.File1->path()), QDir(programDir));
}

TEST_F(SettingsFileTest, WindowsDirectoryOpensInTheWinePrefixAndStaysAsWritten) {
  QTemporaryDir wine;
  ASSERT_TRUE(QDir().mkpath(wine.path() + QStringLiteral("/drive_c/SSTV Pics/Rx")));
  const QByteArray oldPrefix = qgetenv("WINEPREFIX");
  qputenv("WINEPREFIX", wine.path().toLocal8Bit());
  writeFile(QStringLiteral("restore"), restoreFile({{90, "\"C:\\sstv pics\\RX\\\""}, {109, " 7 "}}));
  Form1& f = start();
  EXPECT_EQ(QDir(f.File1->path()), QDir(wine.path() + QStringLiteral("/drive_c/SSTV Pics/Rx")));
  const auto lines = exitAndRead();
  EXPECT_EQ(lines[89], "\"C:\\sstv pics\\RX\\\"");
  qputenv("WINEPREFIX", oldPrefix);
}

TEST_F(SettingsFileTest, NumbersUseThePointWhateverTheLocale) {
  const std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  const QLocale oldLocale;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

  writeFile(QStringLiteral("restore"), restoreFile({{2, "\"10.5\""}, {107, " 4 "}, {116, "-2.5 "}}));
  Form1& f = start();
  EXPECT_EQ(f.normalfontsize, QStringLiteral("10.5"));
  EXPECT_EQ(f.VScroll1->value(), 4);
  EXPECT_EQ(f.Text16->text(), QStringLiteral("-2.5"));
  f.Picture1->font.size = 12.75;
  f.Label25->setBackColor(1234567);
  const auto lines = exitAndRead();
  EXPECT_EQ(lines[1], "\"10.5\"");
  EXPECT_EQ(lines[8], "\"12.75\"");
  EXPECT_EQ(lines[115], "-2.5");
  EXPECT_EQ(lines[123], " 1234567 ");

  QLocale::setDefault(oldLocale);
  std::setlocale(LC_NUMERIC, oldNumeric.c_str());
}

TEST(ItemFileTest, ReaderFollowsBothFormsAcrossCommasAndLineEnds) {
  ItemReader r("\"a, b\"  , 12 ,\"multi\r\nline\"\r\n  -5  \r\n\r\n\"\"\r\nlast");
  const char* expected[] = {"a, b", "12", "multi\r\nline", "-5", "", "", "last"};
  for (const char* e : expected) {
    const auto item = r.next();
    ASSERT_TRUE(item.has_value()) << e;
    EXPECT_EQ(item->text, QString::fromLatin1(e));
  }
  EXPECT_FALSE(r.next().has_value());
  // A file of the old program in an 8-bit code page still reads.
  EXPECT_EQ(ItemReader("\"Caf\xE9\"\r\n").next()->text, QStringLiteral("Caf\u00E9"));
}

}  // namespace
