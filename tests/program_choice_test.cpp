#include <QAction>

#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

// The codes of the menus that carry a check mark.
std::vector<int> checkedCodes(Form1& f) {
  std::vector<int> codes;
  for (const SstvProgram& p : sstvPrograms())
    if ((f.*(p.menu))->isChecked()) codes.push_back(p.code);
  return codes;
}

// The captions shown: import button, send button, receive-directory menu.
QStringList captions(Form1& f) { return {f.Command1->caption(), f.Command3->caption(), f.sdrx->text()}; }
QStringList captionsOf(const SstvProgram& p, const SstvProgram& before) {
  return {p.importCaption.isNull() ? before.importCaption : p.importCaption, p.sendCaption, p.sdrxCaption};
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
      EXPECT_EQ(std::tuple(checkedCodes(f), f.sstvprogram, captions(f)),
                std::tuple(std::vector<int>{p.code}, p.code, captionsOf(p, w95)));
    }
  }
}

// With the adjust panel open every choice is refused, the current program's too (whose menu would
// untick itself); once it is closed a choice ends the receive view and the scrap book.
TEST_F(ProgramChoiceTest, ChoiceEndsReceiveViewAndScrapBookUnlessTheAdjustPanelIsOpen) {
  Form1& f = build();
  f.w95sstvv->trigger();
  f.savedthumbs[1] = solidImage(8, 8, 0xFF);
  f.Text7->setText(QStringLiteral("3"));
  f.Text7->setBackColor(Selected);
  f.HScroll3->show();
  f.Label37->setBackColor(Selected);
  f.Text5->setBackColor(ModeOff);
  f.scrapbookmode = 1;
  f.Frame9->show();
  f.jvcomm1->trigger();
  f.w95sstvv->trigger();
  f.simplecopypaste_Click();
  EXPECT_EQ(checkedCodes(f), std::vector<int>{6});
  EXPECT_EQ(captions(f), captionsOf(*sstvProgramOf(6), *sstvProgramOf(6)));
  EXPECT_EQ(std::tuple(f.sstvprogram, f.Text7->text(), f.Text7->backColor(), f.scrapbookmode, f.Picture1->scaleWidth()),
            std::tuple(6, QStringLiteral("3"), Selected, 1, 320));

  f.Frame9->hide();
  f.mmsstv->trigger();
  EXPECT_EQ(f.Text7->text(), QStringLiteral("R"));
  EXPECT_TRUE(f.HScroll3->isHidden());
  EXPECT_EQ(std::tuple(f.Text7->backColor(), f.Label37->backColor(), f.Text5->backColor(), f.scrapbookmode),
            std::tuple(ModeOff, ModeOff, ModeChosen, 0));
  EXPECT_TRUE(sameImage(f.savedthumbs[1], f.Image2->picture()));
}

TEST_F(ProgramChoiceTest, StartUpChoiceLeavesLayoutToStartUpAndUnknownCodesRunNothing) {
  Form1& f = build();
  f.startingUp = true;
  EXPECT_TRUE(f.chooseProgram(8));
  EXPECT_EQ(std::tuple(checkedCodes(f), f.Command3->caption(), f.Picture1->scaleWidth()),
            std::tuple(std::vector<int>{8}, sstvProgramOf(8)->sendCaption, 320));
  f.startingUp = false;
  EXPECT_FALSE(f.chooseProgram(2) || f.chooseProgram(0));
  EXPECT_EQ(std::tuple(checkedCodes(f), f.sstvprogram), std::tuple(std::vector<int>{8}, 8));
}

}  // namespace
