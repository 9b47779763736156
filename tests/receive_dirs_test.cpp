#include <QDir>

#include "tests/support/form_fixture.h"
#include "sstvlink/programs.h"

namespace {

class ReceiveDirsTest : public FormTest {
 protected:
  // The browser opened on a new directory `name` by the prompt of program `code`, then its OK.
  void chooseDirectory(int code, const QString& name) {
    Form1& f = *form;
    (f.*(sstvProgramOf(code)->menu))->trigger();
    f.sdrx->trigger();
    QDir().mkpath(path(name));
    f.Dir1->setPath(path(name));
    f.Command22->click();
  }
};

// Each program's prompt stores the directory shown into its entry; four programs refuse a
// directory without their word (compared exactly), keep the entry and close the browser all the
// same. What is stored survives in "restore".
TEST_F(ReceiveDirsTest, PromptsStoreCheckAndKeepTheDirectory) {
  const struct {
    int code, entry;
    const char* name;
    const char* refusal;  // null: stored
  } cases[] = {
      {8, 8, "JVComm32/SSTV-Lastreceived", nullptr},
      {8, 8, "JVComm32/sstv-lastreceived", "Not \"JVComm\\SSTV-Lastreceived Directory\", Try again"},
      {16, 11, "WinSkan/rxthumbs", "Not \"Winskan\\RxThumbs Directory\", Try again"},
      {16, 11, "WinSkan/RxThumbs", nullptr},
      {17, 12, "Roy/Rx", "Not \"ROY1_SSTV\\RxBmp Directory\", Try again"},
      {4, 7, "Silicon/Cpix", "Not \"\\CPIX Directory\", Try again"},
      {5, 7, "Silicon/CPIX", nullptr},
      {27, 13, "WinPix2", nullptr},
      {7, 13, "WinPix", nullptr},
      {6, 14, "W95", nullptr},
      {19, 15, "MScan", nullptr},
      {36, 16, "SSTV32", nullptr},
      {10, 17, "MMSSTV", nullptr},
  };
  Form1& f = start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString before = f.savedirs[c.entry];
    chooseDirectory(c.code, QString::fromLatin1(c.name));
    EXPECT_EQ(f.savedirs[c.entry], c.refusal ? before : path(QString::fromLatin1(c.name)));
    if (c.refusal)
      EXPECT_TRUE(shownOnce(QString(), QString::fromLatin1(c.refusal), vb::OKOnly));
    else
      EXPECT_TRUE(dialogs->calls.empty());
    EXPECT_TRUE(f.Frame2->isHidden() && f.Command22->isHidden());
    dialogs->calls.clear();
  }
  const std::array<QString, 18> chosen = f.savedirs;
  f.close();
  EXPECT_EQ(start().savedirs, chosen);
}

TEST_F(ReceiveDirsTest, PromptNamesTheProgramAndSimpleCopyPasteHasNone) {
  Form1& f = start();
  f.jvcomm1->trigger();
  f.sdrx->trigger();
  EXPECT_EQ(f.Command22->caption(), QStringLiteral("For JVComm Open \\SSTV-Lastreceived sub directory (Dbl Click), then "
                                                   "Click here to set or click Exit Pic"));
  EXPECT_EQ(f.Command20->caption(), QStringLiteral("Exit Pic"));
  EXPECT_FALSE(f.Frame2->isHidden() || f.Command22->isHidden());
  f.Command20_Click();
  f.simplecopypaste->trigger();
  f.sdrx->trigger();
  EXPECT_TRUE(f.Frame2->isHidden() && f.Command22->isHidden());
}

}  // namespace
