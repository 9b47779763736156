#include "platform/clipboard.h"

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <functional>

// Last: the X headers' names clash with Qt's.
#include "platform/xcbevent.h"

namespace platform {

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

// The most a call waits for our own message to come back from the server (it takes well under a
// millisecond on an idle machine).
constexpr milliseconds kCatchUpLimit = 1000ms;

// Qt's name for a picture it decoded from the offered image formats.
const QString kDecodedPicture = QStringLiteral("application/x-qt-image");
const QString kPng = QStringLiteral("image/png");

bool isImageFormat(const QString& format) { return format.startsWith(QLatin1String("image/")); }

// The one image format whose bytes are kept: PNG, lossless and offered by most owners, else the
// first offered. Owners offer the same picture in many formats (Qt programs in about fifteen),
// each made on request; fetching them all took most of a second for a screen-sized picture.
QString pictureSource(const QStringList& formats) {
  if (formats.contains(kPng)) return kPng;
  const auto image = std::find_if(formats.begin(), formats.end(), isImageFormat);
  return image == formats.end() ? QString() : *image;
}

// Requests of the X selection protocol that Qt lists among an owner's formats; they describe the
// offer rather than hold content, and Qt answers them itself for what we offer.
bool isProtocolTarget(const QString& format) {
  static const QStringList targets = {QStringLiteral("TARGETS"), QStringLiteral("MULTIPLE"),
                                      QStringLiteral("TIMESTAMP"), QStringLiteral("SAVE_TARGETS"),
                                      QStringLiteral("DELETE"), QStringLiteral("INSERT_SELECTION"),
                                      QStringLiteral("INSERT_PROPERTY")};
  return targets.contains(format);
}

QClipboard* board() { return QGuiApplication::clipboard(); }

// Lets our own events run, but not the operator's input, until `done` or `limit`.
void pumpUntil(const std::function<bool()>& done, milliseconds limit) {
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.start(limit);
  while (!done() && deadline.isActive())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

xcb_connection_t* qtConnection() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// Qt hears of a new owner of the clipboard from an event. A message we send ourselves comes back
// after every event the server sent us before it, so once Qt has handled it, it has heard of
// every change of owner made before we asked.
class EventBarrier : public QAbstractNativeEventFilter {
 public:
  explicit EventBarrier(xcb_connection_t* connection) : connection_(connection), window_(xcb_generate_id(connection)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    // Never shown: it only gives the message an address of ours.
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~EventBarrier() override {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    xcb_destroy_window(connection_, window_);
    xcb_flush(connection_);
  }
  EventBarrier(const EventBarrier&) = delete;
  EventBarrier& operator=(const EventBarrier&) = delete;

  void pass() {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window_;
    message.data.data32[0] = ++sent_;
    // With no event mask, the server hands the message to the client that made the window: us.
    xcb_send_event(connection_, false, window_, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
    pumpUntil([this] { return back_ == sent_; }, kCatchUpLimit);
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (!isXcbEvent(type, message, XCB_CLIENT_MESSAGE)) return false;
    const auto* client = static_cast<xcb_client_message_event_t*>(message);
    if (client->window != window_) return false;
    back_ = client->data.data32[0];
    return true;
  }

 private:
  xcb_connection_t* connection_;
  xcb_window_t window_;
  uint32_t sent_ = 0;
  uint32_t back_ = 0;
};

}  // namespace

struct SystemClipboard::Impl {
  xcb_connection_t* x = qtConnection();
  std::unique_ptr<EventBarrier> barrier = x ? std::make_unique<EventBarrier>(x) : nullptr;
  xcb_atom_t clipboardAtom = internAtom("CLIPBOARD");
  Mark othersCopies = 0;
  bool changing = false;  // Qt announces our own changes at once, while this is set
  QMetaObject::Connection watch;

  Impl() {
    if (qGuiApp)
      watch = QObject::connect(board(), &QClipboard::changed, [this](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !changing && hasOwner()) ++othersCopies;
      });
  }
  ~Impl() { QObject::disconnect(watch); }

  void catchUp() {
    if (barrier) barrier->pass();
  }

  // Qt announces a clipboard left without an owner too (one that ended, or our own clearing).
  bool hasOwner() const {
    if (!x) return true;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, clipboardAtom), nullptr);
    const bool owned = reply && reply->owner != XCB_NONE;
    free(reply);
    return owned;
  }

  void change(const std::function<void()>& doIt) {
    catchUp();
    changing = true;
    doIt();
    changing = false;
  }

  xcb_atom_t internAtom(const char* name) const {
    if (!x) return XCB_ATOM_NONE;
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, false, strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? xcb_atom_t(reply->atom) : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
  }
};

SystemClipboard::SystemClipboard() : d_(std::make_unique<Impl>()) {}

SystemClipboard::~SystemClipboard() = default;

QImage SystemClipboard::picture() {
  d_->catchUp();
  return board()->image();
}

void SystemClipboard::clear() {
  d_->change([] { board()->clear(); });
}

void SystemClipboard::setPicture(const QImage& picture) {
  d_->change([&] { board()->setImage(picture); });
}

Clipboard::Mark SystemClipboard::mark() {
  d_->catchUp();
  return d_->othersCopies;
}

bool SystemClipboard::awaitCopyAfter(Mark since, milliseconds limit) {
  pumpUntil([&] { return d_->othersCopies > since; }, limit);
  return d_->othersCopies > since;
}

ClipboardContent SystemClipboard::content() {
  d_->catchUp();
  ClipboardContent content;
  const QMimeData* data = board()->mimeData();
  if (!data) return content;
  const QStringList formats = data->formats();
  const QString source = pictureSource(formats);
  for (const QString& format : formats) {
    const bool madeFromPicture = isImageFormat(format) && format != source;
    if (format == kDecodedPicture || isProtocolTarget(format) || madeFromPicture) continue;
    content.formats.append({format, data->data(format)});
    if (format == source) content.picture = QImage::fromData(content.formats.last().second);
  }
  // Our own offer, or a source Qt cannot read by itself: let Qt decode what it can.
  if (content.picture.isNull() && data->hasImage()) content.picture = qvariant_cast<QImage>(data->imageData());
  return content;
}

void SystemClipboard::restore(const ClipboardContent& content) {
  if (content.isEmpty()) return clear();
  auto* data = new QMimeData;
  for (const auto& [format, bytes] : content.formats) data->setData(format, bytes);
  // The other image formats are made from the picture again, on request.
  if (!content.picture.isNull()) data->setImageData(content.picture);
  d_->change([data] { board()->setMimeData(data); });
}

}  // namespace platform
