#include <QDir>
#include <QTextBrowser>

#include "tests/support/form_fixture.h"

namespace {

using TooltipsTest = FormTest;
using HelpTest = FormTest;

// The table names ninety-one distinct controls, spot-checked where an off-by-one would show.
// Settings that switch the tips off at start keep every tip in the table first. Off blanks every
// listed control and leaves the others; on gives each its own tip back. Each is chosen twice: a
// checkable menu item flips its own mark when chosen again.
TEST_F(TooltipsTest, OffAtStartThenOffAndOnChosenOnceOrTwice) {
  writeFile(QStringLiteral("restore"), restoreFile({{76, " 1 "}}));
  Form1& f = start();
  QSet<QWidget*> listed{nullptr};
  for (int k = 1; k <= 91; ++k) listed.insert(f.tooltipControl(k));
  EXPECT_EQ(listed.size(), 92);
  EXPECT_EQ(std::vector<QWidget*>({f.tooltipControl(0), f.tooltipControl(92)}), std::vector<QWidget*>(2, nullptr));
  const std::vector<std::pair<int, QWidget*>> spots = {{1, f.File1},     {27, f.Check14},   {28, f.palette[1]},
                                                       {39, f.Label12},  {40, f.Label26},   {65, f.Command19},
                                                       {78, f.Picture1}, {91, f.Label14}};
  for (const auto& [k, control] : spots) EXPECT_EQ(f.tooltipControl(k), control) << k;
  EXPECT_EQ(f.tooltiptexts[7], QStringLiteral("Multi Line OK, Click in Picture to Transfer Text  (text may be marked "
                                              "with mouse) then Drag to Posn. Dbl click to Erase Text box. "));
  for (int k = 1; k <= 91; ++k) ASSERT_FALSE(f.tooltiptexts[k].isEmpty()) << "control " << k << " has no tool tip";
  std::vector<std::pair<QWidget*, QString>> unlisted;  // tips still shown are those the switch leaves
  for (QWidget* w : f.findChildren<QWidget*>())
    if (!w->toolTip().isEmpty()) unlisted.emplace_back(w, w->toolTip());
  ASSERT_FALSE(unlisted.empty());
  const auto expectTips = [&](bool on) {
    EXPECT_EQ(std::tuple(f.tipsoffflag, f.tooltipson->isChecked(), f.tooltipsoff->isChecked()), std::tuple(on ? 0 : 1, on, !on));
    for (int k = 1; k <= 91; ++k) EXPECT_EQ(f.tooltipControl(k)->toolTip(), on ? f.tooltiptexts[k] : QString()) << k;
    for (const auto& [w, tip] : unlisted) EXPECT_EQ(w->toolTip(), tip) << w->objectName().toStdString();
  };
  expectTips(false);
  for (int times : {1, 2}) {
    for (int n = 0; n < times; ++n) f.tooltipson->trigger();
    expectTips(true);
    for (int n = 0; n < times; ++n) f.tooltipsoff->trigger();
    expectTips(false);
  }
}

// Help opens the manual from the program directory in one window, which comes back when chosen
// again; a missing file gives one message and no window.
TEST_F(HelpTest, HelpShowsTheManualInOneWindowFromTheProgramDirectory) {
  Form1& f = build();
  const QString manual = f.helpFile;
  f.helpFile = path(QStringLiteral("no-such-help.html"));
  f.helpp->trigger();
  EXPECT_TRUE(shownOnce(QStringLiteral("Help"), QStringLiteral("The help file cannot be found."), vb::OKOnly));
  EXPECT_EQ(f.helpWindow, nullptr);

  f.helpFile = manual;
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
  QWidget* first = f.helpWindow;
  first->close();
  f.helpp->trigger();
  EXPECT_EQ(std::tuple(f.helpWindow, f.helpWindow->isVisible(), f.findChildren<QTextBrowser*>().size(), dialogs->calls.size()),
            std::tuple(first, true, 1, 1u));
}

}  // namespace
