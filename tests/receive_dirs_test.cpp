#include <QDir>

#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

namespace {

class ReceiveDirsTest : public FormTest {};

// Each program's prompt stores the directory the browser shows into its entry. Four refuse one
// without their word (compared exactly), keep the entry and close the browser all the same. What
// is stored is there again after a restart. Simple Copy Paste has no prompt.
TEST_F(ReceiveDirsTest, PromptsStoreOrRefuseAndTheChoiceIsKept) {
  const struct {
    int code, entry;
    const char* name;
    const char* refusal;  // null: stored
  } cases[] = {
      {8, 8, "JVComm32/SSTV-Lastreceived", nullptr},
      {8, 8, "JVComm32/sstv-lastreceived", "Not \"JVComm\\SSTV-Lastreceived Directory\", Try again"},
      {16, 11, "WinSkan/rxthumbs", "Not \"Winskan\\RxThumbs Directory\", Try again"},
      {17, 12, "Roy/Rx", "Not \"ROY1_SSTV\\RxBmp Directory\", Try again"},
      {4, 7, "Silicon/Cpix", "Not \"\\CPIX Directory\", Try again"},
      {5, 7, "Silicon/CPIX", nullptr},
      {27, 13, "WinPix2", nullptr},
      {6, 14, "W95", nullptr},
      {19, 15, "MScan", nullptr},
      {36, 16, "SSTV32", nullptr},
      {10, 17, "MMSSTV", nullptr},
  };
  Form1& f = start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs->calls.clear();
    const QString before = f.savedirs[c.entry];
    (f.*(sstvProgramOf(c.code)->menu))->trigger();
    f.sdrx->trigger();
    EXPECT_FALSE(f.Frame2->isHidden() || f.Command22->isHidden());
    QDir().mkpath(path(c.name));
    f.Dir1->setPath(path(c.name));
    f.Command22->click();
    EXPECT_EQ(f.savedirs[c.entry], c.refusal ? before : path(c.name));
    EXPECT_TRUE(c.refusal ? shownOnce(QString(), c.refusal, vb::OKOnly) : dialogs->calls.empty());
    EXPECT_TRUE(f.Frame2->isHidden() && f.Command22->isHidden());
  }
  const std::array<QString, 18> chosen = f.savedirs;
  f.simplecopypaste->trigger();
  f.sdrx->trigger();
  EXPECT_TRUE(f.Frame2->isHidden());
  f.close();
  EXPECT_EQ(start().savedirs, chosen);
}

// A prompt opened over a strip panel takes its place, as the browser does; closing the browser
// or opening a strip panel afterwards leaves one panel shown.
TEST_F(ReceiveDirsTest, APromptClosesTheStripPanels) {
  for (const bool closeWithStrips : {false, true}) {
    Form1& f = start();
    f.jvcomm1->trigger();
    f.Command37_Click();
    f.sdrx->trigger();
    EXPECT_EQ(std::tuple(f.Frame7->isHidden(), f.Command37->caption(), f.Frame2->isHidden()),
              std::tuple(true, QString("16"), false));
    closeWithStrips ? f.Command35_Click() : f.Command20_Click();
    EXPECT_EQ(std::tuple(f.Frame2->isHidden(), f.Command22->isHidden(), f.Frame7->isHidden()),
              std::tuple(true, true, !closeWithStrips));
    f.close();
  }
}

}  // namespace

// A directory with a double quote or a line break in its name cannot be kept in the settings:
// wherever it would be stored (a Dir button, a receive directory with or without its program's
// word) one message names it and what is wrong, and the directory table, the buttons and what the
// next start reads stay as they were.
TEST_F(ReceiveDirsTest, ADirectoryTheSettingsCannotKeepIsRefusedWhereverItWouldBeStored) {
  const struct {
    int dirButton, program;
    const char* name;
    const char* wrong;
  } cases[] = {{1, 0, "say \"cheese\"", "double quote"}, {8, 0, "\"RX\"", "double quote"},
               {0, 27, "Win\"Pix", "double quote"}, {0, 8, "a\"b/SSTV-Lastreceived", "double quote"},
               {0, 10, "MM\"SSTV\"", "double quote"}, {2, 0, "two\nlines", "line break"},
               {0, 27, "Win\rPix", "line break"}, {0, 8, "a\r\nb/SSTV-Lastreceived", "line break"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Form1& f = start();
    const std::array<QString, 18> before = f.savedirs;
    QDir().mkpath(path(c.name));
    f.Dir1->setPath(path(c.name));
    dialogs->calls.clear();
    if (c.dirButton) {
      dialogs->answers = {vb::OK};
      f.dirButton_MouseDown(c.dirButton, mousebutton::Right);
    } else {
      (f.*(sstvProgramOf(c.program)->menu))->trigger();
      f.sdrx->trigger();
      f.Command22->click();
    }
    ASSERT_FALSE(dialogs->calls.empty());
    const ScriptedDialogs::Call& refusal = dialogs->calls.back();
    EXPECT_TRUE(refusal.prompt.contains(path(c.name)) && refusal.prompt.contains(QLatin1String(c.wrong)) &&
                refusal.buttons == (vb::OKOnly | vb::Exclamation));
    EXPECT_EQ(std::tuple(f.Command14->caption(), f.Command30->caption(), f.Command14->font().bold()),
              std::tuple(QString("Dir*1"), QString("Dir 8"), false));
    f.close();
    EXPECT_EQ(start().savedirs, before);
  }
}
