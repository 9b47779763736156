// The link to the external SSTV programs on a real X display with a window manager (run by
// link_programs.sh): stand-ins for the programs are found by title, take the keys and the
// clipboard's picture, and the clipboard another program owned comes back whole.
#include <gtest/gtest.h>

#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "platform/clipboard.h"
#include "platform/sendkeys.h"
#include "platform/windowlink.h"
#include "tests/display/support/standin_process.h"
#include "tests/support/checks.h"

namespace {

using platform::LinkWindow;
using platform::SendResult;

class LinkOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("SSTV_STANDIN")) << "run through link_programs.sh";
    ASSERT_TRUE(folder.isValid());
  }

  std::vector<StandIn*> open(const std::vector<QStringList>& argumentLists) { return standIns.open(argumentLists); }
  StandIn& open(const QString& title, QStringList more = {}) { return standIns.open(title, std::move(more)); }

  QString file(const QString& name) const { return folder.filePath(name); }

  QTemporaryDir folder;
  platform::XdoWindowLink link;
  platform::SystemClipboard clipboard;
  StandIns standIns{folder.path(), link};
};

TEST_F(LinkOnDisplay, FindsTheExactTitleFirstThenABeginningAndReadsTitlesLiterally) {
  const QStringList shown = {"WinPix Receive", "WinPix", "WinSkan SSTV 2.0", "G4XAB", "M0.CD|x(1)", "W95SSTV - C"};
  std::vector<QStringList> arguments;
  for (const QString& title : shown) arguments.push_back({QStringLiteral("--window-title"), title});
  const std::vector<StandIn*> windows = open(arguments);

  struct Case {
    const char* lookedFor;
    const char* found;  // null: no window
  };
  const Case cases[] = {
      {"WinPix", "WinPix"},           // exact, though a longer title begins the same and is older
      {"WinPix R", "WinPix Receive"}, // a beginning
      {"WinSkan SSTV ", "WinSkan SSTV 2.0"},
      {"M0.CD|x(1)", "M0.CD|x(1)"},
      {"M0.CD|", "M0.CD|x(1)"},
      {"W95SSTV - C", "W95SSTV - C"},
      {"G4.AB", nullptr},  // as an expression it would match "G4XAB"
      {".*", nullptr},
      {"x(1)", nullptr},   // only beginnings count
      {"W95SSTV - P", nullptr},
      {"", nullptr},
  };
  QMap<QString, QStringList> expected;
  for (const Case& c : cases) {
    const std::optional<LinkWindow> window = link.activate(QString::fromUtf8(c.lookedFor));
    if (!c.found) {
      EXPECT_FALSE(window) << "\"" << c.lookedFor << "\" found \"" << window->title.toStdString() << "\"";
      continue;
    }
    ASSERT_TRUE(window) << "\"" << c.lookedFor << "\" found nothing";
    EXPECT_EQ(window->title, QString::fromUtf8(c.found)) << "looked for \"" << c.lookedFor << "\"";
    EXPECT_EQ(link.sendKeys(*window, QStringLiteral("k")), SendResult::Sent) << c.lookedFor;
    expected[window->title] << QStringLiteral("k");
  }
  for (int i = 0; i < shown.size(); ++i) {
    waitFor([&] { return windows[i]->strokes() == expected[shown[i]]; });
    EXPECT_EQ(windows[i]->strokes(), expected[shown[i]]) << "window \"" << shown[i].toStdString() << "\"";
  }
}

TEST_F(LinkOnDisplay, KeysArriveInOrderAndThePasteKeysTakeOurPicture) {
  StandIn& program = open(QStringLiteral("W95SSTV - C"), {QStringLiteral("--paste-on"), QStringLiteral("ctrl+m,ctrl+v")});
  const QImage sent = gradient(320, 256, 1);
  clipboard.setPicture(sent);
  const std::optional<LinkWindow> window = platform::activateInOrder(
      link, {"W95SSTV 1", "W95SSTV 2", "W95SSTV - P", "W95SSTV - A", "W95SSTV - C", "W95SSTV - D", "W95SSTV - E",
             "W95SSTV - F"});
  ASSERT_TRUE(window);
  const QStringList keyStrings = {"%es", "{enter}", "%AW", "%", "R", "{F4}", "{tab}", "^m^v"};
  for (const QString& keys : keyStrings) EXPECT_EQ(link.sendKeys(*window, keys), SendResult::Sent) << keys.toStdString();
  // The paste keys came last, so the picture is on file once the send returned.
  EXPECT_TRUE(sameImage(sent, QImage(program.pasted()))) << "the stand-in did not get our picture";
  EXPECT_EQ(program.strokes(), strokesOf(keyStrings));
}

// A window of the program that the operator minimised is restored and takes the keys.
TEST_F(LinkOnDisplay, AMinimisedWindowIsRestoredAndTakesTheKeys) {
  StandIn& program = open(QStringLiteral("W95SSTV - E"));
  const std::optional<LinkWindow> shown = link.activate(QStringLiteral("W95SSTV - E"));
  ASSERT_TRUE(shown);
  QProcess::execute("timeout", {"5", "xdotool", "windowminimize", "--sync", QString::number(shown->id)});
  const std::optional<LinkWindow> window = platform::activateInOrder(link, {"W95SSTV 1", "W95SSTV - E"});
  ASSERT_TRUE(window);
  EXPECT_EQ(link.sendKeys(*window, QStringLiteral("^m^c")), SendResult::Sent);
  EXPECT_EQ(program.strokes(), strokesOf({QStringLiteral("^m^c")}));
}

TEST_F(LinkOnDisplay, ImportKeysLeaveTheProgramsPictureOnTheClipboard) {
  const QImage theirs = gradient(320, 256, 77);
  ASSERT_TRUE(theirs.save(file(QStringLiteral("theirs.png"))));
  open(QStringLiteral("CPIX-2"), {QStringLiteral("--copy-on"), QStringLiteral("ctrl+c"), QStringLiteral("--copy-from"),
                                  file(QStringLiteral("theirs.png"))});
  clipboard.setPicture(gradient(320, 256, 2));
  const std::optional<LinkWindow> window = link.activate(QStringLiteral("CPIX-2"));
  ASSERT_TRUE(window);
  EXPECT_EQ(link.sendKeys(*window, QStringLiteral("^m")), SendResult::Sent);
  EXPECT_EQ(link.sendKeys(*window, QStringLiteral("^c")), SendResult::Sent);
  EXPECT_TRUE(sameImage(theirs, clipboard.picture()));
}

// With no window of the program, or a faulty key string, no key goes anywhere: not to the
// program's closed window, not to the window that is active instead.
TEST_F(LinkOnDisplay, NoWindowOrFaultyKeysSendNothingAnywhere) {
  StandIn& bystander = open(QStringLiteral("Bystander"));
  StandIn& closed = open(QStringLiteral("CPIX-1"));
  const std::optional<LinkWindow> gone = link.activate(QStringLiteral("CPIX-1"));
  ASSERT_TRUE(gone);
  closed.stop();
  const std::optional<LinkWindow> active = link.activate(QStringLiteral("Bystander"));
  ASSERT_TRUE(active);

  EXPECT_FALSE(platform::activateInOrder(link, {"CPIX-1", "SETUP YOUR CALLSIGN"}));
  EXPECT_EQ(link.sendKeys(*gone, QStringLiteral("^m^v")), SendResult::WindowNotFound);
  EXPECT_EQ(link.sendKeys(*active, QStringLiteral("^m{nokey}")), SendResult::BadKeys);
  EXPECT_EQ(link.sendKeys(*active, QStringLiteral("^m(")), SendResult::BadKeys);
  waitFor([] { return false; }, 200);  // time for a stray key to arrive
  EXPECT_EQ(bystander.strokes(), QStringList());
  EXPECT_EQ(closed.strokes(), QStringList());
}

TEST_F(LinkOnDisplay, AProgramEndingPartWayGetsNoMoreKeysAndNobodyElseDoes) {
  StandIn& bystander = open(QStringLiteral("Bystander"));
  StandIn& program = open(QStringLiteral("Roy1 SSTV"), {QStringLiteral("--exit-on"), QStringLiteral("ctrl+m")});
  const std::optional<LinkWindow> window = link.activate(QStringLiteral("Roy1 SSTV"));
  ASSERT_TRUE(window);
  EXPECT_EQ(link.sendKeys(*window, QStringLiteral("^m^v^v^v^v^v^v^v^v^v^v")), SendResult::WindowNotFound);
  EXPECT_TRUE(waitFor([&] { return !program.running(); }));
  EXPECT_EQ(program.strokes(), QStringList{QStringLiteral("ctrl+m")});
  EXPECT_EQ(bystander.strokes(), QStringList());
}

// Another program owns the clipboard with a picture and a text. Whether the send goes through or
// ends early, both come back byte for byte, and the picture is kept at its own size.
TEST_F(LinkOnDisplay, AnotherProgramsClipboardComesBackWhole) {
  const QImage theirs = gradient(123, 45, 9);
  ASSERT_TRUE(theirs.save(file(QStringLiteral("owned.png"))));
  const QByteArray pngBytes = bytesOf(file(QStringLiteral("owned.png")));
  ASSERT_FALSE(pngBytes.isEmpty());
  const QString text = QStringLiteral("73 de G4XAB \u00e9\u00e8 \u2013 QSL via bureau");
  StandIn& program = open(QStringLiteral("CPIX-1"), {QStringLiteral("--paste-on"), QStringLiteral("ctrl+v")});

  const std::function<void()> sends[] = {
      [&] {  // a send that reaches the program
        const std::optional<LinkWindow> window = link.activate(QStringLiteral("CPIX-1"));
        ASSERT_TRUE(window);
        EXPECT_EQ(link.sendKeys(*window, QStringLiteral("^m^v")), SendResult::Sent);
        EXPECT_TRUE(sameImage(gradient(320, 256, 3), QImage(program.pasted())));
      },
      [&] {  // a send that ends early: no window has the title
        EXPECT_FALSE(link.activate(QStringLiteral("CPIX-9")));
      },
  };
  for (const std::function<void()>& send : sends) {
    StandIn& owner = *open({{QStringLiteral("--own-png"), file(QStringLiteral("owned.png")), QStringLiteral("--own-text"), text}})
                          .front();
    {
      platform::ClipboardKeeper keeper(clipboard);
      EXPECT_EQ(keeper.kept().picture.size(), theirs.size());
      clipboard.clear();
      clipboard.setPicture(gradient(320, 256, 3));
      send();
    }
    owner.stop();  // what is offered now comes from us
    EXPECT_EQ(readAsAnotherProgram(QStringLiteral("image/png")), pngBytes);
    EXPECT_EQ(readAsAnotherProgram(QStringLiteral("UTF8_STRING")), text.toUtf8());
    // Formats the owner did not offer are made from the same picture.
    EXPECT_TRUE(sameImage(theirs, QImage::fromData(readAsAnotherProgram(QStringLiteral("image/bmp")))));
  }
}

}  // namespace
