#pragma once

// What the tests of the SSTV link share: a clipboard and external programs that live in the test,
// and a main window wired to them.

#include <functional>

#include "platform/clipboard.h"
#include "platform/sendkeys.h"
#include "platform/windowlink.h"
#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

// Holds what was put on it, all formats and the picture at its own size.
struct FakeClipboard : platform::Clipboard {
  platform::ClipboardContent now;
  QImage picture() override { return now.picture; }
  void clear() override { now = {}; }
  void setPicture(const QImage& p) override { now = {{}, p}; }
  platform::ClipboardContent content() override { return now; }
  void restore(const platform::ClipboardContent& c) override { now = c; }
};

// The other programs' windows, by title, found as the link finds them (exact title first, then a
// title that begins so). Keys go to the window named and are kept with the clipboard's picture at
// that moment; `onKeys` plays the program. An empty key string only waits for the window.
struct FakeLink : platform::WindowLink {
  struct Keys {
    QString window, keys;
    QImage clipboardPicture;
  };
  explicit FakeLink(FakeClipboard& clipboard) : clipboard(clipboard) {}
  std::optional<platform::LinkWindow> activate(const QString& title) override {
    if (title.isEmpty()) return std::nullopt;
    for (const bool exact : {true, false})
      for (qsizetype i = 0; i < windows.size(); ++i)
        if (exact ? windows[i] == title : windows[i].startsWith(title)) return platform::LinkWindow{quint64(i), windows[i]};
    return std::nullopt;
  }
  platform::SendResult sendKeys(const platform::LinkWindow& window, const QString& keys) override {
    if (!platform::parseSendKeys(keys).ok()) return platform::SendResult::BadKeys;
    if (window.id >= quint64(windows.size()) || windows[qsizetype(window.id)] != window.title)
      return platform::SendResult::WindowNotFound;
    if (keys.isEmpty()) return platform::SendResult::Sent;
    sent.push_back({window.title, keys, clipboard.picture()});
    if (onKeys) onKeys(window.title, keys);
    return platform::SendResult::Sent;
  }
  QStringList keysSent() const {
    QStringList all;
    for (const Keys& k : sent) all << k.keys;
    return all;
  }
  FakeClipboard& clipboard;
  QStringList windows;
  std::vector<Keys> sent;
  std::function<void(const QString& window, const QString& keys)> onKeys;
};

class LinkTest : public FormTest {
 protected:
  // The window started with program `code` chosen, the operator's clipboard holding a picture of
  // its own size and a text, and a main picture of one colour.
  Form1& startWith(int code) {
    Form1& f = start();
    f.env.clipboard = clipboard;
    f.env.link = link;
    (f.*(sstvProgramOf(code)->menu))->trigger();
    f.Picture1->setPicture(solidImage(f.frameWidth(), 256, MainColour));
    clipboard->now = operatorsClipboard();
    dialogs->calls.clear();
    return f;
  }
  static platform::ClipboardContent operatorsClipboard() {
    return {{{QStringLiteral("text/plain"), QByteArray("73 de G4XAB")}}, solidImage(123, 45, 0x336699)};
  }
  ::testing::AssertionResult clipboardIsTheOperators() const {
    const platform::ClipboardContent expected = operatorsClipboard();
    if (clipboard->now.formats == expected.formats && clipboard->now.picture == expected.picture)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the clipboard holds a " << clipboard->now.picture.width() << "x"
                                         << clipboard->now.picture.height() << " picture and "
                                         << clipboard->now.formats.size() << " formats";
  }
  ::testing::AssertionResult toldCheckSetup() const {
    return shownOnce(QStringLiteral("Check Setup"), QStringLiteral("ERROR, Cannot paste. Check Selected Program is Active"),
                     vb::OKOnly);
  }

  static constexpr long MainColour = 0x20A040;
  std::shared_ptr<FakeClipboard> clipboard = std::make_shared<FakeClipboard>();
  std::shared_ptr<FakeLink> link = std::make_shared<FakeLink>(*clipboard);
};
