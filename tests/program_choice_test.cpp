#include <QAction>

#include "platform/colour.h"
#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

using namespace colour::state;

namespace {

// The codes of the menus that carry a check mark.
std::vector<int> checkedCodes(Form1& f) {
  std::vector<int> codes;
  for (const SstvProgram& p : sstvPrograms())
    if ((f.*(p.menu))->isChecked()) codes.push_back(p.code);
  return codes;
}

class ProgramChoiceTest : public FormTest {};

// The Setup menu offers the programs in the table's order, and each item chooses its own row.
TEST_F(ProgramChoiceTest, EachMenuSetsCodeCheckMarkAndCaptions) {
  Form1& f = build();
  const SstvProgram& w95 = *sstvProgramOf(6);
  const QList<QAction*> items = f.copypaste->actions();
  for (std::size_t i = 0; i < sstvPrograms().size(); ++i) {
    const SstvProgram& p = sstvPrograms()[i];
    SCOPED_TRACE(p.code);
    EXPECT_EQ(items.value(qsizetype(i)), f.*(p.menu));
    f.w95sstvv->trigger();
    ASSERT_EQ(f.sstvprogram, 6);
    // Choosing it twice: the menu's own toggle must not take the check mark away.
    for (int round = 0; round < 2; ++round) {
      (f.*(p.menu))->trigger();
      EXPECT_EQ(checkedCodes(f), std::vector<int>{p.code});
      EXPECT_EQ(f.sstvprogram, p.code);
      EXPECT_EQ(f.Command1->caption(), p.importCaption.isNull() ? w95.importCaption : p.importCaption);
      EXPECT_EQ(f.Command3->caption(), p.sendCaption);
      EXPECT_EQ(f.sdrx->text(), p.sdrxCaption);
    }
  }
}

TEST_F(ProgramChoiceTest, ChoiceEndsReceiveViewAndScrapBook) {
  Form1& f = build();
  f.savedthumbs[1] = solidImage(8, 8, 0xFF);
  f.Text7->setText(QStringLiteral("3"));
  f.Text7->setBackColor(Selected);
  f.HScroll3->show();
  f.Label37->setBackColor(Selected);
  f.Text5->setBackColor(Off);
  f.scrapbookmode = 1;

  f.mmsstv->trigger();

  EXPECT_EQ(f.Text7->text(), QStringLiteral("R"));
  EXPECT_EQ(f.Text7->backColor(), Off);
  EXPECT_TRUE(f.HScroll3->isHidden());
  EXPECT_EQ(f.Label37->backColor(), Off);
  EXPECT_EQ(f.Text5->backColor(), ModeChosen);
  EXPECT_EQ(f.scrapbookmode, 0);
  EXPECT_TRUE(sameImage(f.savedthumbs[1], f.Image2->picture()));
}

TEST_F(ProgramChoiceTest, AdjustPanelOpenRefusesEveryChoice) {
  Form1& f = build();
  f.w95sstvv->trigger();
  f.Text7->setText(QStringLiteral("2"));
  f.Text7->setBackColor(Selected);
  f.Frame9->show();

  // Another program and the current one again (whose menu would untick itself).
  f.jvcomm1->trigger();
  f.w95sstvv->trigger();
  f.simplecopypaste_Click();

  const SstvProgram& w95 = *sstvProgramOf(6);
  EXPECT_EQ(checkedCodes(f), std::vector<int>{6});
  EXPECT_EQ(f.sstvprogram, 6);
  EXPECT_EQ(f.Command1->caption(), w95.importCaption);
  EXPECT_EQ(f.Command3->caption(), w95.sendCaption);
  EXPECT_EQ(f.sdrx->text(), w95.sdrxCaption);
  EXPECT_EQ(f.Text7->text(), QStringLiteral("2"));
  EXPECT_EQ(f.Text7->backColor(), Selected);
  EXPECT_EQ(f.Picture1->scaleWidth(), 320);
}

TEST_F(ProgramChoiceTest, StartUpChoiceLeavesLayoutToStartUpAndUnknownCodesRunNothing) {
  Form1& f = build();
  f.startingUp = true;
  EXPECT_TRUE(f.chooseProgram(8));
  EXPECT_EQ(checkedCodes(f), std::vector<int>{8});
  EXPECT_EQ(f.Command3->caption(), sstvProgramOf(8)->sendCaption);
  EXPECT_EQ(f.Picture1->scaleWidth(), 320);

  f.startingUp = false;
  EXPECT_FALSE(f.chooseProgram(2));
  EXPECT_FALSE(f.chooseProgram(0));
  EXPECT_EQ(f.sstvprogram, 8);
  EXPECT_EQ(checkedCodes(f), std::vector<int>{8});
}

}  // namespace
