#include <functional>

#include "tests/support/form_fixture.h"

using FileTextTest = FormTest;

// A "messages", "logdata" or "restore" written on Windows in its code page shows the page's curly
// quotes, dashes and euro sign (every byte from 0x80 to 0x9F; the five the page leaves undefined
// keep their control characters), and the next exit or Save Call writes them in UTF-8, which the
// start after reads again.
TEST_F(FileTextTest, WindowsCodePageFilesReadAsTheirCharactersAndAreWrittenBackInUtf8) {
  QByteArray high;
  for (int b = 0x80; b <= 0x9F; ++b) high += char(b);
  const QString highCharacters = QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
  const QByteArray utf8 = highCharacters.toUtf8();
  const struct {
    QString file;
    QByteArray onWindows, written;
    std::function<QString(Form1&)> shown;
    QString expected;
  } cases[] = {
      {"messages", "\"Caf\xE9 " + high + "\r\n---\r\n\"\r\n", "\"Café " + utf8 + "\r\n---\r\n\"\r\n",
       [](Form1& f) { return f.Text2->text(); }, "Café " + highCharacters + "\r\n---\r\n"},
      {"logdata", "\"\r\nG4ABC Fred " + high + "\"\r\n", "\"\r\nG4ABC Fred " + utf8 + "\"\r\n",
       [](Form1& f) {
         f.Text3->setText(QStringLiteral("G4ABC"));
         return f.Text4->text();
       },
       "Fred " + highCharacters},
      {"restore", restoreFile({{77, "\"G4" + high + "\""}}), "\"G4" + utf8 + "\"\r",
       [](Form1& f) { return f.qsldefaults[2]; }, "G4" + highCharacters},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    writeFile(c.file, c.onWindows);
    for (int run = 0; run < 2; ++run) {
      Form1& f = start();
      EXPECT_EQ(c.shown(f), c.expected);
      dialogs->answers = {vb::Yes};
      f.Command2_Click();  // Save Call writes the log as it stands; with no station shown, nothing
      f.close();
      const QByteArray written = readFile(c.file);
      EXPECT_EQ(c.file == "restore" ? written.split('\n')[76] : written, c.written);  // of "restore", line 77
    }
  }
}
