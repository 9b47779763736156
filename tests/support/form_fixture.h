#pragma once

#include <QTemporaryDir>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/form1.h"
#include "tests/support/checks.h"

// One kind of dialog in a test: the requests it was shown with, in order, and the answers still
// to give. With no answer left the operator cancels.
template <class Request, class Answer>
struct DialogScript {
  std::vector<Request> calls;
  std::deque<Answer> answers;
  Answer take(Request request) {
    calls.push_back(std::move(request));
    if (answers.empty()) return Answer{};
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

// Answers the program's questions from queues and remembers every one asked. Message boxes
// without a queued answer take their default button.
struct ScriptedDialogs : Dialogs {
  struct Call {
    QString prompt;
    int buttons;
    QString title;
  };
  std::vector<Call> calls;
  std::deque<int> answers;
  int MsgBox(const QString& prompt, int buttons, const QString& title) override;

  struct InputCall {
    QString prompt, title, defaultText;
  };
  struct FileCall {
    QString title, filter;
    int filterIndex;
    QString initial;  // the folder of an open dialog, the file name of a save dialog
  };
  DialogScript<InputCall, std::optional<QString>> input;
  DialogScript<FileCall, std::optional<QString>> open;
  DialogScript<FileCall, std::optional<SaveChoice>> save;
  struct PrinterCall {};
  // An answer is the PDF file the printer writes.
  DialogScript<PrinterCall, std::optional<QString>> printer;
  DialogScript<long, std::optional<long>> colour;
  DialogScript<QFont, std::optional<QFont>> font;

  std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& defaultText) override {
    return input.take({prompt, title, defaultText});
  }
  std::optional<QString> ShowOpen(const QString& title, const QString& filter, const QString& initialDir) override {
    return open.take({title, filter, 1, initialDir});
  }
  std::optional<SaveChoice> ShowSave(const QString& title, const QString& filter, int filterIndex,
                                     const QString& initialName) override {
    return save.take({title, filter, filterIndex, initialName});
  }
  std::unique_ptr<QPrinter> ShowPrinter() override;
  std::optional<long> ShowColor(long initial) override { return colour.take(initial); }
  std::optional<QFont> ShowFont(const QFont& initial) override { return font.take(initial); }
};

// The colours the operator sees on the buttons, written out once: tests compare with these and
// never with the program's own constants, so a wrong constant cannot pass unnoticed.
namespace seen {
constexpr long Armed = 0xFF;           // red: a tool armed, work pending
constexpr long Idle = 0xC0C0;          // a label tool at rest, " Normal", "Horiz", " Off"
constexpr long SetIdle = 0x8000000F;   // SET with nothing pending: the button face
constexpr long Selected = 0xFF00;      // the view the strip shows
constexpr long ModeOff = 0x808000;     // a mode button not chosen
constexpr long ModeChosen = 0x80FF80;  // the chosen mode
constexpr long OopsNormal = 0xFFFFFF;  // OOPS shows the latest work
constexpr long OopsBefore = 0;         // OOPS shows the before-picture
constexpr long White = 0xFFFFFF;
}  // namespace seen

// A main window on a fresh temporary program directory. Tests prepare files with writeFile()
// before start() when they need a prepared directory.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the window (no splash) and runs the start-up; a window built before goes without
  // its shut-down, so start() again is a restart on the same directory.
  Form1& start();
  // Builds the window without running the start-up.
  Form1& build();
  // build() with a white 320 x 256 picture.
  Form1& buildOnWhite();
  // A white picture, "HI" typed in Text mode, 24 points in `ink`; drags are recorded, not run.
  Form1& prepareText(long ink);
  // Drags begun from now on are recorded in `drags`, not run.
  void recordDrags() { form->beginDrag = [this](QWidget*) { drags.push_back(form->dragsource); }; }
  // A shadow and a fine outline around the letters.
  void withShadowAndOutline();
  // Work drawn on the erasable layer with SET red, as the text printer leaves it.
  void pendOnScreen();
  // Random numbers the colour jitter will draw, in order; 0 after they run out.
  void queueRandom(std::vector<double> values) { randomValues->insert(randomValues->end(), values.begin(), values.end()); }

  // Exactly one message box was shown, with this title, prompt and buttons.
  ::testing::AssertionResult shownOnce(const QString& title, const QString& prompt, int buttons) const;

  QString path(const QString& name) const { return programDir + QLatin1Char('/') + name; }
  void writeFile(const QString& name, const QByteArray& bytes) const { writeBytes(path(name), bytes); }
  QByteArray readFile(const QString& name) const { return bytesOf(path(name)); }

  QTemporaryDir dataHome;
  QString programDir;
  std::shared_ptr<ScriptedDialogs> dialogs;
  std::unique_ptr<Form1> form;
  std::shared_ptr<std::deque<double>> randomValues;
  std::vector<int> drags;  // dragsource at each drag begun
};

// Every test on a window built on a white picture.
class OnWhiteTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    buildOnWhite();
  }
  const QImage white = solidImage(320, 256, seen::White);
};

// Which of `count` pictures a box shows, picture i being all of colourOf(i), told by its pixel at
// `at` (the middle unless given): -1 when the box is empty, -2 when it shows none of them.
int shownPicture(const ImageBox* box, long (*colourOf)(int), int count, std::optional<QPoint> at = {});

// Whether `dragged` carries the drop-allowed icon (Dir1's), which the pointer shows over a target.
bool showsDropAllowed(const Form1& f, const QWidget* dragged);

// The drawn-area box: left, right, top, bottom.
inline std::tuple<double, double, double, double> drawnArea(const Form1& f) { return {f.minx, f.maxx, f.miny, f.maxy}; }
// A settings file "restore" with the given lines (1-based); every other line is empty.
QByteArray restoreFile(const std::map<int, QByteArray>& items);
