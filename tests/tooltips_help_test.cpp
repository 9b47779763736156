#include <QDir>
#include <QTextBrowser>

#include "tests/support/form_fixture.h"

namespace {

class TooltipsTest : public FormTest {};
using HelpTest = FormTest;

// Ninety-one distinct controls, spot-checked along the list where an off-by-one would show.
TEST_F(TooltipsTest, TheTableNamesNinetyOneDistinctControlsInItsOrder) {
  Form1& f = build();
  QSet<QWidget*> seen;
  for (int k = 1; k <= 91; ++k) seen.insert(f.tooltipControl(k));
  EXPECT_EQ(seen.size(), 91);
  EXPECT_FALSE(seen.contains(nullptr));
  EXPECT_EQ(std::vector<QWidget*>({f.tooltipControl(0), f.tooltipControl(92)}), std::vector<QWidget*>(2, nullptr));
  const std::vector<std::pair<int, QWidget*>> spots = {{1, f.File1},     {27, f.Check14},   {28, f.palette[1]},
                                                       {39, f.Label12},  {40, f.Label26},   {65, f.Command19},
                                                       {78, f.Picture1}, {91, f.Label14}};
  for (const auto& [k, control] : spots) EXPECT_EQ(f.tooltipControl(k), control) << k;
}

// Off blanks every listed control and leaves the others; on gives each its own tip back. Each
// is chosen twice: a checkable menu item flips its own mark when chosen again.
TEST_F(TooltipsTest, OffAndOnChosenOnceOrTwice) {
  Form1& f = build();
  for (int k = 1; k <= 91; ++k) f.tooltiptexts[k] = f.tooltipControl(k)->toolTip();
  for (int k = 1; k <= 91; ++k) ASSERT_FALSE(f.tooltiptexts[k].isEmpty()) << "control " << k << " has no tool tip";
  const QString untouched = f.Label36->toolTip();  // Try: not in the list
  for (int times : {1, 2}) {
    for (int n = 0; n < times; ++n) f.tooltipsoff->trigger();
    EXPECT_EQ(f.tipsoffflag, 1);
    EXPECT_TRUE(f.tooltipsoff->isChecked() && !f.tooltipson->isChecked());
    for (int k = 1; k <= 91; ++k) EXPECT_TRUE(f.tooltipControl(k)->toolTip().isEmpty()) << "control " << k;
    EXPECT_EQ(f.Label36->toolTip(), untouched);
    for (int n = 0; n < times; ++n) f.tooltipson->trigger();
    EXPECT_EQ(f.tipsoffflag, 0);
    EXPECT_TRUE(f.tooltipson->isChecked() && !f.tooltipsoff->isChecked());
    for (int k = 1; k <= 91; ++k) EXPECT_EQ(f.tooltipControl(k)->toolTip(), f.tooltiptexts[k]) << "control " << k;
  }
  EXPECT_EQ(f.Text1->toolTip().left(14), QStringLiteral("Multi Line OK,"));
}

TEST_F(HelpTest, HelpShowsTheManualInOneWindowFromTheProgramDirectory) {
  Form1& f = build();
  QDir::setCurrent(QDir::tempPath());
  f.helpp->trigger();
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(programDir).canonicalPath());
  ASSERT_NE(f.helpWindow, nullptr);
  EXPECT_TRUE(f.helpWindow->isVisible() && f.helpWindow->isWindow());
  EXPECT_EQ(f.helpWindow->windowTitle(), QStringLiteral("Marvane Help"));
  auto* browser = f.helpWindow->findChild<QTextBrowser*>();
  ASSERT_NE(browser, nullptr);
  for (const char* topic : {"SET", "Undo", "OOPS", "Setup", "restore", "Pic in Pic"})
    EXPECT_TRUE(browser->toPlainText().contains(QLatin1String(topic))) << topic;
  EXPECT_TRUE(dialogs->calls.empty());

  // Chosen again (after the operator closed it): the same window comes back.
  QWidget* first = f.helpWindow;
  first->close();
  f.helpp->trigger();
  EXPECT_EQ(f.helpWindow, first);
  EXPECT_TRUE(f.helpWindow->isVisible());
  EXPECT_EQ(f.findChildren<QTextBrowser*>().size(), 1);
}

TEST_F(HelpTest, AMissingHelpFileGivesOneMessageAndTheProgramGoesOn) {
  Form1& f = build();
  f.helpFile = path(QStringLiteral("no-such-help.html"));
  f.helpp->trigger();
  EXPECT_TRUE(shownOnce(QStringLiteral("Help"), QStringLiteral("The help file cannot be found."), vb::OKOnly));
  EXPECT_EQ(f.helpWindow, nullptr);

  // The window still works, and help appears once the file is there.
  f.tooltipsoff->trigger();
  EXPECT_EQ(f.tipsoffflag, 1);
  writeFile(QStringLiteral("no-such-help.html"), "<html><head><title>Local</title></head><body>x</body></html>");
  f.helpp->trigger();
  EXPECT_EQ(dialogs->calls.size(), 1u);
  ASSERT_NE(f.helpWindow, nullptr);
  EXPECT_EQ(f.helpWindow->windowTitle(), QStringLiteral("Local"));
}

}  // namespace
