#include <QAction>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace colour::state;

namespace {

struct Expected {
  QAction* Form1::*menu;
  int code;
  const char* import;  // null: the import button keeps what the previous choice left
  const char* send;
  const char* sdrx;
};

const Expected programs[] = {
    {&Form1::simplecopypaste, 1, "Paste", "Copy", "No SSTV program selected"},
    {&Form1::panel2panel1, 4, "  Import from   CPIX-2", "Send to  CPIX-1", "Set Directory for CPIX RX thumbnails"},
    {&Form1::panel2panel2, 5, "  Import from   CPIX-2", "Send to  CPIX-2", "Set Directory for CPIX RX thumbnails"},
    {&Form1::jvcomm1, 8, "Paste from Clipboard Only", "Send to JVComm", "Set Directory for JVComm RX thumbnails"},
    {&Form1::mmsstv, 10, "Import from MMSSTV", "Send to MMSSTV", "Set Directory for MMSSTV RX thumbnails"},
    {&Form1::mscann, 19, nullptr, "Send to Mscan", "Set Directory for MScan RX thumbnails"},
    {&Form1::roy11, 17, "Paste from Clipboard Only", "Send to Roy1", "Set Directory for Roy1 RX thumbnails"},
    {&Form1::sstv32e, 36, "Paste from Clipboard Only", "Send to SSTV32 TX", "Set Directory for SSTV32 RX thumbnails"},
    {&Form1::w95sstvv, 6, "Import from W95SSTV", "Send to W95sstv", "Set Directory for W95SSTV RX thumbnails"},
    {&Form1::winpixx, 7, "Import from WinPix", "Send to WinPix", "Set Directory for WinPix RX thumbnails"},
    {&Form1::winpix2, 27, "Import from WinPix", "Send to WinPix2", "Set Directory for WinPix RX thumbnails"},
    {&Form1::winskann, 16, "Paste from Clipboard Only", "Send to WinSkan TX",
     "Set Directory for WinSkan RX thumbnails"},
};

// The menus that carry a check mark, by code.
std::vector<int> checkedCodes(Form1& f) {
  std::vector<int> codes;
  for (const Expected& p : programs)
    if ((f.*(p.menu))->isChecked()) codes.push_back(p.code);
  return codes;
}

class ProgramChoiceTest : public FormTest {};

TEST_F(ProgramChoiceTest, EachMenuSetsCodeCheckMarkAndCaptions) {
  Form1& f = build();
  for (const Expected& p : programs) {
    SCOPED_TRACE(p.code);
    f.w95sstvv->trigger();
    ASSERT_EQ(f.sstvprogram, 6);
    // Choosing it twice: the menu's own toggle must not take the check mark away.
    for (int round = 0; round < 2; ++round) {
      (f.*(p.menu))->trigger();
      EXPECT_EQ(checkedCodes(f), std::vector<int>{p.code});
      EXPECT_EQ(f.sstvprogram, p.code);
      EXPECT_EQ(f.Command1->caption(), QString::fromLatin1(p.import ? p.import : "Import from W95SSTV"));
      EXPECT_EQ(f.Command3->caption(), QString::fromLatin1(p.send));
      EXPECT_EQ(f.sdrx->text(), QString::fromLatin1(p.sdrx));
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

  EXPECT_EQ(checkedCodes(f), std::vector<int>{6});
  EXPECT_EQ(f.sstvprogram, 6);
  EXPECT_EQ(f.Command1->caption(), QStringLiteral("Import from W95SSTV"));
  EXPECT_EQ(f.Command3->caption(), QStringLiteral("Send to W95sstv"));
  EXPECT_EQ(f.sdrx->text(), QStringLiteral("Set Directory for W95SSTV RX thumbnails"));
  EXPECT_EQ(f.Text7->text(), QStringLiteral("2"));
  EXPECT_EQ(f.Text7->backColor(), Selected);
  EXPECT_EQ(f.Picture1->scaleWidth(), 320);
}

TEST_F(ProgramChoiceTest, StartUpChoiceLeavesLayoutToStartUpAndUnknownCodesRunNothing) {
  Form1& f = build();
  f.startingUp = true;
  EXPECT_TRUE(f.chooseProgram(8));
  EXPECT_EQ(checkedCodes(f), std::vector<int>{8});
  EXPECT_EQ(f.Command3->caption(), QStringLiteral("Send to JVComm"));
  EXPECT_EQ(f.Picture1->scaleWidth(), 320);

  f.startingUp = false;
  EXPECT_FALSE(f.chooseProgram(2));
  EXPECT_FALSE(f.chooseProgram(0));
  EXPECT_EQ(f.sstvprogram, 8);
  EXPECT_EQ(checkedCodes(f), std::vector<int>{8});
}

}  // namespace
