#include <QDir>
#include <QTextBrowser>

#include "tests/support/form_fixture.h"

namespace {

class TooltipsTest : public FormTest {
 protected:
  // The window as start-up leaves it: every switched control's tip kept in the table.
  Form1& buildWithTable() {
    Form1& f = build();
    for (int k = 1; k <= 91; ++k) f.tooltiptexts[k] = f.tooltipControl(k)->toolTip();
    return f;
  }
};

using HelpTest = FormTest;

}  // namespace

TEST_F(TooltipsTest, TheTableNamesNinetyOneDistinctControlsInItsOrder) {
  Form1& f = build();
  QSet<QWidget*> seen;
  for (int k = 1; k <= 91; ++k) {
    ASSERT_NE(f.tooltipControl(k), nullptr) << "control " << k;
    seen.insert(f.tooltipControl(k));
  }
  EXPECT_EQ(seen.size(), 91);
  EXPECT_EQ(f.tooltipControl(0), nullptr);
  EXPECT_EQ(f.tooltipControl(92), nullptr);
  // Spot checks along the list, where an off-by-one would show.
  EXPECT_EQ(f.tooltipControl(1), f.File1);
  EXPECT_EQ(f.tooltipControl(27), f.Check14);
  EXPECT_EQ(f.tooltipControl(28), f.palette[1]);
  EXPECT_EQ(f.tooltipControl(39), f.Label12);
  EXPECT_EQ(f.tooltipControl(40), f.Label26);
  EXPECT_EQ(f.tooltipControl(65), f.Command19);
  EXPECT_EQ(f.tooltipControl(78), f.Picture1);
  EXPECT_EQ(f.tooltipControl(91), f.Label14);
}

TEST_F(TooltipsTest, OffThenOnGivesEveryControlItsOwnTipBack) {
  Form1& f = buildWithTable();
  for (int k = 1; k <= 91; ++k) ASSERT_FALSE(f.tooltiptexts[k].isEmpty()) << "control " << k << " has no tool tip";
  const QString untouched = f.Label36->toolTip();  // Try: not in the list

  f.tooltipsoff->trigger();
  EXPECT_EQ(f.tipsoffflag, 1);
  EXPECT_FALSE(f.tooltipson->isChecked());
  EXPECT_TRUE(f.tooltipsoff->isChecked());
  for (int k = 1; k <= 91; ++k) EXPECT_TRUE(f.tooltipControl(k)->toolTip().isEmpty()) << "control " << k;
  EXPECT_EQ(f.Label36->toolTip(), untouched);

  f.tooltipson->trigger();
  EXPECT_EQ(f.tipsoffflag, 0);
  EXPECT_TRUE(f.tooltipson->isChecked());
  EXPECT_FALSE(f.tooltipsoff->isChecked());
  for (int k = 1; k <= 91; ++k) EXPECT_EQ(f.tooltipControl(k)->toolTip(), f.tooltiptexts[k]) << "control " << k;
  EXPECT_EQ(f.Text1->toolTip().left(14), QStringLiteral("Multi Line OK,"));
}

TEST_F(TooltipsTest, ChoosingOffTwiceKeepsThemOffAndChoosingOnTwiceKeepsThemOn) {
  Form1& f = buildWithTable();
  // A checkable menu item flips its own mark when chosen again; the handler must set it back.
  f.tooltipsoff->trigger();
  f.tooltipsoff->trigger();
  EXPECT_EQ(f.tipsoffflag, 1);
  EXPECT_TRUE(f.tooltipsoff->isChecked());
  EXPECT_FALSE(f.tooltipson->isChecked());
  for (int k = 1; k <= 91; ++k) EXPECT_TRUE(f.tooltipControl(k)->toolTip().isEmpty()) << "control " << k;

  f.tooltipson->trigger();
  f.tooltipson->trigger();
  EXPECT_EQ(f.tipsoffflag, 0);
  EXPECT_TRUE(f.tooltipson->isChecked());
  EXPECT_FALSE(f.tooltipsoff->isChecked());
  EXPECT_EQ(f.Picture1->toolTip(), f.tooltiptexts[78]);
}

TEST_F(HelpTest, HelpShowsTheManualInOneWindowFromTheProgramDirectory) {
  Form1& f = build();
  QDir::setCurrent(QDir::tempPath());
  f.helpp->trigger();
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(programDir).canonicalPath());
  ASSERT_NE(f.helpWindow, nullptr);
  EXPECT_TRUE(f.helpWindow->isVisible());
  EXPECT_TRUE(f.helpWindow->isWindow());
  EXPECT_EQ(f.helpWindow->windowTitle(), QStringLiteral("Marvane Help"));
  auto* browser = f.helpWindow->findChild<QTextBrowser*>();
  ASSERT_NE(browser, nullptr);
  const QString text = browser->toPlainText();
  for (const char* topic : {"SET", "Undo", "OOPS", "Setup", "restore", "Pic in Pic"})
    EXPECT_TRUE(text.contains(QLatin1String(topic))) << topic;
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
  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].title, QStringLiteral("Help"));
  EXPECT_EQ(dialogs->calls[0].prompt, QStringLiteral("The help file cannot be found."));
  EXPECT_EQ(dialogs->calls[0].buttons, vb::OKOnly);
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
