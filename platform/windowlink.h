#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <optional>

namespace platform {

// A window of an external program that an activation found.
struct LinkWindow {
  quint64 id = 0;
  QString title;  // the window's own title, which may be longer than the one looked for
  // Its program keeps a clipboard of its own, which takes ours in only a moment after each
  // change (a Windows program under Wine): until then it pastes what it held before, or nothing.
  bool keepsOwnClipboard = false;
};

enum class SendResult {
  Sent,
  BadKeys,         // the key string was refused; no key was sent
  WindowNotFound,  // the window did not become active, or stopped being active part-way
  Stopped,         // the operator is closing our window (stopWaiting); the rest was not sent
};

// Activates other programs' windows by title and types into them. Handlers reach the external
// SSTV programs only through this, so tests can put a recording fake in its place.
class WindowLink {
 public:
  virtual ~WindowLink() = default;
  // Finds a shown or minimised top-level window titled exactly `title`, else one whose title
  // begins with it (as text, whatever the case), and asks for it to become active (restored when
  // minimised) without waiting. Nothing when no window has such a title, or `title` is empty.
  virtual std::optional<LinkWindow> activate(const QString& title) = 0;
  // Types `keys` (parseSendKeys notation) into `window`, then waits until its program has read
  // them and has had a moment to act, serving our clipboard meanwhile but not the operator's input
  // (runEventsUntil). No key is sent when the string is faulty or the window does not have the
  // focus within two seconds; sending stops as soon as it loses the focus, or the waits are stopped.
  virtual SendResult sendKeys(const LinkWindow& window, const QString& keys) = 0;
};

// Activates the titles in order, as the programs' sequences list them, each window found given
// time to take the focus before the next title; the last one found is the window the keys go to.
// Nothing when none was found.
std::optional<LinkWindow> activateInOrder(WindowLink& link, const QStringList& titles);

// The link on the X display: windows found among the window manager's clients (by libxdo's
// search of the window tree without one), activated through libxdo (raised and focused without
// a manager), keys typed by XTEST into the focused window, since programs ignore synthetic
// events sent to a window id. A window that vanishes part-way only makes the call fail.
class XdoWindowLink : public WindowLink {
 public:
  XdoWindowLink();
  ~XdoWindowLink() override;
  std::optional<LinkWindow> activate(const QString& title) override;
  SendResult sendKeys(const LinkWindow& window, const QString& keys) override;
  // Time spent letting the other program take the keys since this link was made, so that a
  // measurement can report it apart from our own work.
  std::chrono::milliseconds settled() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> d_;
};

}  // namespace platform
