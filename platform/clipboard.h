#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <chrono>
#include <memory>
#include <utility>

namespace platform {

// Everything the clipboard offered at one moment: each format's bytes as its owner gave them,
// except that of the picture's many image formats only one is kept as bytes, the first whose bytes
// decode as a picture (PNG when offered), the picture itself standing for the others.
struct ClipboardContent {
  QList<std::pair<QString, QByteArray>> formats;
  QImage picture;  // at its own size; null when there was none
  bool isEmpty() const { return formats.isEmpty() && picture.isNull(); }
};

// The system clipboard as the picture hand-over uses it. Handlers reach it only through this, so
// tests can put their own in its place.
class Clipboard {
 public:
  using Mark = quint64;
  virtual ~Clipboard() = default;
  // The picture on the clipboard; null when it holds none.
  virtual QImage picture() = 0;
  virtual void clear() = 0;
  virtual void setPicture(const QImage& picture) = 0;
  // What the clipboard offers now, read from its owner.
  virtual ClipboardContent content() = 0;
  // Offers exactly `content` again, from this program; empty content clears the clipboard.
  virtual void restore(const ClipboardContent& content) = 0;
  // How far the clipboard's history has gone, to wait from: others' copies made before are
  // counted in.
  virtual Mark mark() = 0;
  // Waits (runEventsUntil) until someone else has put something on the clipboard since `since`,
  // `limit` has passed or the waits are stopped; whether someone did.
  virtual bool awaitCopyAfter(Mark since, std::chrono::milliseconds limit) = 0;
  // Waits, serving the clipboard (runEventsUntil), until another program has asked for what we
  // last put on it and has had a moment to take it in, until `limit` has passed since we put it
  // there, or until the waits are stopped.
  virtual void awaitTakenIn(std::chrono::milliseconds limit) = 0;
};

// The window system's clipboard (Qt's QClipboard). On X, every call first lets our window-system
// events run (runEventsUntil) until Qt has heard of every change of owner the
// server told us of: until then Qt reads a new owner with the formats the former one offered,
// and the server refuses to give the clipboard back to us with a time before the new owner's.
// Another program's offer is read at the X level, a request it leaves unanswered for a moment
// made again, and a look at it waits a few seconds at most in all. Those waits are not stopped:
// they keep what the operator had copied, and our own clipboard put back.
class SystemClipboard : public Clipboard {
 public:
  SystemClipboard();
  ~SystemClipboard() override;
  QImage picture() override;
  void clear() override;
  void setPicture(const QImage& picture) override;
  ClipboardContent content() override;
  void restore(const ClipboardContent& content) override;
  Mark mark() override;
  bool awaitCopyAfter(Mark since, std::chrono::milliseconds limit) override;
  void awaitTakenIn(std::chrono::milliseconds limit) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> d_;
};

// Keeps the whole clipboard from its construction and puts it back when it goes out of scope, so
// that an operation that ends early or on an error loses nothing the operator had copied.
class ClipboardKeeper {
 public:
  explicit ClipboardKeeper(Clipboard& clipboard) : clipboard_(clipboard), kept_(clipboard.content()) {}
  ~ClipboardKeeper() { clipboard_.restore(kept_); }
  ClipboardKeeper(const ClipboardKeeper&) = delete;
  ClipboardKeeper& operator=(const ClipboardKeeper&) = delete;
  const ClipboardContent& kept() const { return kept_; }

 private:
  Clipboard& clipboard_;
  ClipboardContent kept_;
};

}  // namespace platform
