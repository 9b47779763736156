#include <QDir>
#include <QTest>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

namespace {

// The list as the operator keeps it: separator lines of three or more dashes, a message of
// several lines, and a last message without a line break after it.
const QString List = QStringLiteral(
    "FIRST ONE\r\n---\r\nCQ CQ DE G4ABC\r\n---\r\n73 ALL\r\nPSE K\r\n-----\r\nBEST\r\n---\r\nLAST");

class MessagesTest : public FormTest {
 protected:
  Form1& opened() {
    Form1& f = start();
    f.Text2->setText(List);
    f.Command8_Click();
    return f;
  }
  // The caret in the list just before `mark`, moved on by `offset` characters.
  void caretAt(const char* mark, int offset = 0) {
    QTextCursor c = form->Text2->textCursor();
    c.setPosition(int(form->Text2->toPlainText().indexOf(QString::fromLatin1(mark))) + offset);
    form->Text2->setTextCursor(c);
  }
  void expectClosed() {
    EXPECT_TRUE(form->Text2->isHidden());
    EXPECT_EQ(form->Command8->caption(), QStringLiteral("Load Msg"));
    EXPECT_FALSE(form->Command8->font().bold());
  }
};

}  // namespace

// The caret counts the list's line breaks once; its text has two characters for each. The
// message's own rules are pinned where it is picked.
TEST_F(MessagesTest, DoubleClickTakesTheMessageAroundTheCaretWhateverLinesComeBeforeIt) {
  const struct { const char* mark; int offset; const char* message; } cases[] = {
      {"IRST", 0, "FIRST ONE"}, {"BEST", 0, "BEST"}, {"LAST", 4, "LAST"}};
  for (const auto& c : cases) {
    Form1& f = opened();
    f.Label31->setBackColor(colour::state::Armed);
    f.startx = 40;
    f.starty = 60;
    caretAt(c.mark, c.offset);
    f.Text2_DblClick();
    EXPECT_EQ(std::tuple(f.Text1->text(), f.Label31->caption(), f.Picture1->currentX, f.Picture1->currentY),
              std::tuple(QString::fromLatin1(c.message), QStringLiteral("Horiz"), 40.0, 60.0));
    expectClosed();
  }
}

TEST_F(MessagesTest, WithTheSearchArmedADoubleClickOnlyClosesTheList) {
  Form1& f = opened();
  f.Text1->setText(QStringLiteral("KEPT"));
  f.Label48->setBackColor(colour::state::Armed);
  caretAt("DE G4");
  f.Text2_DblClick();
  EXPECT_EQ(f.Text1->text(), QStringLiteral("KEPT"));
  expectClosed();
}

TEST_F(MessagesTest, MarkedTextIsTakenOnlyFromAFocusedTextControl) {
  Form1& f = opened();
  f.Text1->setText(QStringLiteral("KEPT"));
  f.Text2->setFocus();
  QTextCursor c = f.Text2->textCursor();
  c.setPosition(0);
  f.Text2->setTextCursor(c);
  f.Text2_MouseUp(1, 0, 0, 0);  // nothing marked
  EXPECT_EQ(f.Text1->text(), QStringLiteral("KEPT"));
  EXPECT_FALSE(f.Text2->isHidden());
  f.Command8->setFocus();  // a control without text
  f.Text2_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(f.Text1->text(), QStringLiteral("KEPT"));

  f.Text2->setFocus();
  c.setPosition(int(f.Text2->toPlainText().indexOf(QStringLiteral("CQ CQ"))));
  c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 5);
  f.Text2->setTextCursor(c);
  f.Text2_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(f.Text1->text(), QStringLiteral("CQ CQ"));
  expectClosed();
}

TEST_F(MessagesTest, TheFontAndColourPanelsCloseTheList) {
  for (const bool colourPanel : {false, true}) {
    SCOPED_TRACE(colourPanel);
    Form1& f = opened();
    dialogs->colour.answers = {0xFF};
    (colourPanel ? f.savecolor : f.savefontandcolor)->trigger();
    EXPECT_FALSE((colourPanel ? f.Frame8 : f.Frame1)->isHidden());
    expectClosed();
  }
}

// The list survives a start and an exit whole: quotes inside it (as Windows wrote them, unchanged)
// and commas in a file without quotes end nothing, and the file the exit writes reads back to the
// same list and is written again byte for byte. A file written on Windows in its code page reads
// as such.
TEST_F(MessagesTest, TheMessagesFileKeepsTheWholeListAcrossStartAndExit) {
  const struct { QByteArray file; QString list; QByteArray written; } cases[] = {
      {"\"Thanks for the \"picture\"\r\n---\r\n73\"\r\n", QStringLiteral("Thanks for the \"picture\"\r\n---\r\n73"),
       "\"Thanks for the 'picture'\r\n---\r\n73\"\r\n"},
      {"CQ CQ de G4ABC, pse K\r\n---\r\n73, Bye\r\n", QStringLiteral("CQ CQ de G4ABC, pse K\r\n---\r\n73, Bye\r\n"),
       "\"CQ CQ de G4ABC, pse K\r\n---\r\n73, Bye\r\n\"\r\n"},
      {"\"Gr\xFC\xDF\x65, 73\r\n---\r\n\"\r\n", QStringLiteral("Grüße, 73\r\n---\r\n"), "\"Grüße, 73\r\n---\r\n\"\r\n"},
  };
  // Not one of them is as Marvane writes it: each is kept as found, once.
  const auto kept = [this] {
    QByteArrayList copies;
    for (const QString& name : QDir(programDir).entryList({QStringLiteral("messages.kept*")})) copies << readFile(name);
    return copies;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written.toStdString());
    writeFile(QStringLiteral("messages"), c.file);
    EXPECT_EQ(start().Text2->text(), c.list);
    form->close();
    EXPECT_EQ(readFile(QStringLiteral("messages")), c.written);
    EXPECT_TRUE(kept().contains(c.file));
    const qsizetype copies = kept().size();
    EXPECT_EQ(start().Text2->text(), QString(c.list).replace(u'"', u'\''));
    EXPECT_EQ(kept().size(), copies);
    form->close();
    EXPECT_EQ(readFile(QStringLiteral("messages")), c.written);
  }
}

// No-break spaces and line separators are the operator's own characters: the list keeps them
// through start and exit byte for byte, a line separator is no line break to the message a
// double-click picks, and the box it lands in reads and takes them as they are.
TEST_F(MessagesTest, NoBreakSpacesAndLineSeparatorsSurviveStartAndExit) {
  const QString message = QStringLiteral("CQ\u00A0DE\u2028\u2028\u2028\u2028K");
  const QString lists[] = {message + QStringLiteral("\r\n---\r\n73\u2028BYE\u00A0"),
                           "---\r\n" + message + QStringLiteral("\r\n---\r\n\u00A0\u2028\r\n\u2028")};
  for (const QString& list : lists) {
    const QByteArray file = "\"" + list.toUtf8() + "\"\r\n";
    writeFile(QStringLiteral("messages"), file);
    for (int run = 0; run < 2; ++run) {
      Form1& f = start();
      EXPECT_EQ(f.Text2->text(), list);
      f.close();
      EXPECT_EQ(readFile(QStringLiteral("messages")), file);
    }
    Form1& f = start();
    f.Command8_Click();
    caretAt("K", 1);
    f.Text2_DblClick();
    EXPECT_EQ(f.Text1->text(), message);
    f.Text1->setText(QString(message).replace(u'\u00A0', u' '));
    EXPECT_EQ(f.Text1->text(), QStringLiteral("CQ DE\u2028\u2028\u2028\u2028K"));
    QTest::keyClick(f.Text1, Qt::Key_Return, Qt::ShiftModifier);  // typed, it is a line break
    EXPECT_EQ(f.Text1->text(), QStringLiteral("\r\nCQ DE\u2028\u2028\u2028\u2028K"));
  }
}
