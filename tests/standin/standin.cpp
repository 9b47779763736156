// A stand-in for an external SSTV program, for tests of the link on a real display.
//
// It shows a window with exactly the title it is given and logs every stroke it receives, one a
// line, in xdo's key-sequence form ("ctrl+v", "alt+e", "shift+r", "alt" for a lone Alt), so a log
// compares directly with what the key parser made. Stroke sequences given on the command line
// make it act like the program: take the clipboard's picture (paste), put its own picture on the
// clipboard (copy) or end at once. Asked to keep a clipboard of its own, it pastes from a copy it
// takes in only some time after each change of the clipboard, as a program under Wine does (a
// window class naming an ".exe", which Qt's "-name" option sets, marks it as one). Without a title
// it shows no window and only owns the clipboard with the bytes it is given, until it is stopped.
// It prints "ready" once its window is on the screen or it owns the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QCommandLineParser>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

// Last, as their macros clash with Qt: XKeysymToString and the letter keysyms.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

struct Options {
  QString log;
  QStringList pasteOn, copyOn, exitOn;  // stroke sequences that trigger each action
  QString pasteTo, copyFrom;
  int takeInAfterMs = -1;  // pastes from its own clipboard, taken in this long after each change
};

QString modifierName(int key) {
  switch (key) {
    case Qt::Key_Control: return QStringLiteral("ctrl");
    case Qt::Key_Alt: return QStringLiteral("alt");
    case Qt::Key_Shift: return QStringLiteral("shift");
    default: return {};
  }
}

QString modifierPrefix(Qt::KeyboardModifiers held) {
  QString prefix;
  if (held & Qt::ControlModifier) prefix += QStringLiteral("ctrl+");
  if (held & Qt::AltModifier) prefix += QStringLiteral("alt+");
  if (held & Qt::ShiftModifier) prefix += QStringLiteral("shift+");
  return prefix;
}

// The key's keysym name; an upper-case letter is its lower-case key, the Shift being in `held`.
QString keyName(const QKeyEvent* event) {
  const KeySym sym = event->nativeVirtualKey();
  if (sym >= XK_A && sym <= XK_Z) return QString(QChar(char(sym - XK_A + XK_a)));
  const char* name = XKeysymToString(sym);
  return name ? QString::fromLatin1(name) : QStringLiteral("keysym-%1").arg(sym, 0, 16);
}

void announceReady() {
  std::puts("ready");
  std::fflush(stdout);
}

class StandIn : public QWidget {
 public:
  explicit StandIn(Options options) : options_(std::move(options)) {
    if (options_.takeInAfterMs >= 0) {
      takeIn_.setSingleShot(true);
      takeIn_.setInterval(options_.takeInAfterMs);
      connect(QGuiApplication::clipboard(), &QClipboard::changed, &takeIn_, qOverload<>(&QTimer::start));
      connect(&takeIn_, &QTimer::timeout, this, [this] { ownCopy_ = QGuiApplication::clipboard()->image(); });
    }
    setFocusPolicy(Qt::StrongFocus);
    resize(240, 80);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!announced_) announceReady();
    announced_ = true;
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->isAutoRepeat()) return;
    const QString modifier = modifierName(event->key());
    if (!modifier.isEmpty()) {
      if (down_.isEmpty()) {
        tapped_.clear();
        keyed_ = false;
      }
      down_ << modifier;
      tapped_ << modifier;
      return;
    }
    keyed_ = true;
    record(modifierPrefix(event->modifiers()) + keyName(event));
  }

  // Modifiers pressed and released with no other key between them were tapped alone.
  void keyReleaseEvent(QKeyEvent* event) override {
    const QString modifier = modifierName(event->key());
    if (event->isAutoRepeat() || modifier.isEmpty()) return;
    down_.removeAll(modifier);
    if (!down_.isEmpty() || keyed_) return;
    QStringList ordered;
    for (const char* name : {"ctrl", "alt", "shift"})
      if (tapped_.contains(QLatin1String(name))) ordered << QLatin1String(name);
    record(ordered.join(QLatin1Char('+')));
  }

 private:
  void record(const QString& stroke) {
    QFile log(options_.log);
    if (log.open(QIODevice::Append)) log.write((stroke + QLatin1Char('\n')).toUtf8());
    log.close();
    history_ << stroke;
    if (endsWith(options_.exitOn)) ::_exit(0);
    if (endsWith(options_.pasteOn)) paste();
    if (endsWith(options_.copyOn)) QGuiApplication::clipboard()->setImage(QImage(options_.copyFrom));
  }

  bool endsWith(const QStringList& sequence) const {
    return !sequence.isEmpty() && history_.size() >= sequence.size() &&
           history_.mid(history_.size() - sequence.size()) == sequence;
  }

  // Saves the clipboard's picture; an empty file when there is none.
  void paste() {
    const QImage picture = options_.takeInAfterMs >= 0 ? ownCopy_ : QGuiApplication::clipboard()->image();
    QSaveFile file(options_.pasteTo);
    if (!file.open(QIODevice::WriteOnly)) return;
    if (!picture.isNull()) picture.save(&file, "PNG");
    file.commit();
  }

  Options options_;
  QTimer takeIn_;
  QImage ownCopy_;  // its own clipboard
  QStringList history_;
  QStringList down_, tapped_;
  bool keyed_ = false;
  bool announced_ = false;
};

}  // namespace

// Qt takes "-title" (and "--title") for itself, hence "--window-title".
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCommandLineParser parser;
  const QCommandLineOption title(QStringLiteral("window-title"), QStringLiteral("Window title."), QStringLiteral("text"));
  const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Stroke log."), QStringLiteral("file"));
  const QCommandLineOption pasteOn(QStringLiteral("paste-on"), QStringLiteral("Paste strokes."), QStringLiteral("a,b"));
  const QCommandLineOption pasteTo(QStringLiteral("paste-to"), QStringLiteral("Pasted picture."), QStringLiteral("file"));
  const QCommandLineOption copyOn(QStringLiteral("copy-on"), QStringLiteral("Copy strokes."), QStringLiteral("a,b"));
  const QCommandLineOption copyFrom(QStringLiteral("copy-from"), QStringLiteral("Picture to copy."), QStringLiteral("file"));
  const QCommandLineOption exitOn(QStringLiteral("exit-on"), QStringLiteral("Strokes that end it."), QStringLiteral("a,b"));
  const QCommandLineOption ownPng(QStringLiteral("own-png"), QStringLiteral("Offer as image/png."), QStringLiteral("file"));
  const QCommandLineOption ownText(QStringLiteral("own-text"), QStringLiteral("Offer as text."), QStringLiteral("text"));
  const QCommandLineOption takeInAfter(QStringLiteral("take-in-after"), QStringLiteral("Own clipboard's lag."),
                                       QStringLiteral("ms"));
  parser.addOptions({title, log, pasteOn, pasteTo, copyOn, copyFrom, exitOn, ownPng, ownText, takeInAfter});
  parser.process(app);

  if (!parser.isSet(title)) {
    QFile png(parser.value(ownPng));
    if (!png.open(QIODevice::ReadOnly)) return 2;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), png.readAll());
    data->setText(parser.value(ownText));
    QGuiApplication::clipboard()->setMimeData(data);
    if (!QGuiApplication::clipboard()->ownsClipboard()) return 3;  // a round trip: the server knows
    announceReady();
    return app.exec();
  }

  const auto strokes = [&](const QCommandLineOption& o) {
    return parser.value(o).split(QLatin1Char(','), Qt::SkipEmptyParts);
  };
  StandIn window({parser.value(log), strokes(pasteOn), strokes(copyOn), strokes(exitOn), parser.value(pasteTo),
                  parser.value(copyFrom), parser.isSet(takeInAfter) ? parser.value(takeInAfter).toInt() : -1});
  window.setWindowTitle(parser.value(title));
  window.show();
  return app.exec();
}
