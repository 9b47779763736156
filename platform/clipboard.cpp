#include "platform/clipboard.h"

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMap>
#include <QMimeData>
#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>

#include "platform/picturefile.h"

// Last: the X headers' names clash with Qt's.
#include "platform/selectionrequests.h"
#include "platform/waits.h"

namespace platform {

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

// The most a call waits for our own message to come back from the server (it takes well under a
// millisecond on an idle machine).
constexpr milliseconds kCatchUpLimit = 1000ms;
// Some owners (programs under Wine) send their answer to a request only when their next request
// reaches them, so a request left unanswered this long is made again. An owner busy making a large
// picture answers later than this, and then works on the second request too, hence only once.
constexpr milliseconds kAskAgainAfter = 250ms;
// The most one look at another program's offer waits on it in all; an owner that has not answered
// by then is given up, and nothing more is asked of it.
constexpr milliseconds kReadLimit = 3000ms;
// A program that asked for what we offer takes it in when its requests stop: Wine then fills the
// Windows clipboard with the formats we offer, in a few milliseconds, holding it meanwhile.
constexpr milliseconds kTakingIn = 30ms;
constexpr milliseconds kTakingInPoll = 5ms;

// Qt's name for a picture it decoded from the offered image formats.
const QString kDecodedPicture = QStringLiteral("application/x-qt-image");
const QString kPng = QStringLiteral("image/png");
const QString kText = QStringLiteral("text/plain");

bool isImageFormat(const QString& format) { return format.startsWith(QLatin1String("image/")); }

// Targets that hold no content of their own: the requests of the X selection protocol, which Qt
// lists among an owner's formats and answers itself for what we offer, and a pixmap or bitmap
// kept on the server, whose id is all its bytes (Wine offers a copied picture as one).
bool holdsNoContent(const QString& format) {
  static const QStringList targets = {QStringLiteral("TARGETS"), QStringLiteral("MULTIPLE"),
                                      QStringLiteral("TIMESTAMP"), QStringLiteral("SAVE_TARGETS"),
                                      QStringLiteral("DELETE"), QStringLiteral("INSERT_SELECTION"),
                                      QStringLiteral("INSERT_PROPERTY"), QStringLiteral("PIXMAP"),
                                      QStringLiteral("BITMAP"), kDecodedPicture};
  return targets.contains(format);
}

// An owner's offer: its formats, by the names Qt gives them, in its order, and the bytes of each
// on request (nothing when the owner refuses or does not answer).
struct Offer {
  QStringList formats;
  std::function<std::optional<QByteArray>(const QString&)> bytes;
};

struct OfferedPicture {
  QString format;
  QByteArray bytes;
  QImage picture;
};

// The first offered image format, PNG before the others, whose bytes decode as a picture. Only
// its bytes are fetched: owners offer the same picture in many formats (Qt programs in about
// fifteen), each made on request, and fetching them all took most of a second for a screen-sized
// picture. Bytes that are no picture (Qt lists Wine's pixmap id as "image/ppm") are passed over,
// and so are bytes in a format the picture reader does not know: Qt would decode them by their
// content, whatever the format's name, without the reader's care.
std::optional<OfferedPicture> firstPicture(const Offer& offer) {
  QStringList images;
  std::copy_if(offer.formats.begin(), offer.formats.end(), std::back_inserter(images), isImageFormat);
  if (images.removeOne(kPng)) images.prepend(kPng);
  for (const QString& format : images) {
    const std::optional<QByteArray> bytes = offer.bytes(format);
    if (!bytes) continue;
    const QImage picture = decodeOfferedPicture(*bytes);
    if (!picture.isNull()) return OfferedPicture{format, *bytes, picture};
  }
  return std::nullopt;
}

// Each format's bytes, except that of the image formats only the picture's own are kept: the
// others are made from the picture again when it is offered.
ClipboardContent contentOf(const Offer& offer) {
  ClipboardContent content;
  const std::optional<OfferedPicture> picture = firstPicture(offer);
  for (const QString& format : offer.formats) {
    if (holdsNoContent(format)) continue;
    if (isImageFormat(format)) {
      if (picture && format == picture->format) content.formats.append({format, picture->bytes});
    } else if (const std::optional<QByteArray> bytes = offer.bytes(format)) {
      content.formats.append({format, *bytes});
    }
  }
  if (picture) content.picture = picture->picture;
  return content;
}

// Qt serves the string targets of what it offers (UTF8_STRING as it is, STRING and TEXT in
// Latin-1) from its one "text/plain", so another program's text is kept under that name, in UTF-8;
// other targets keep their own names.
const QList<QByteArray> kStringTargets = {"UTF8_STRING", "STRING", "TEXT"};

QString formatName(const QByteArray& target) {
  return kStringTargets.contains(target) ? kText : QString::fromLatin1(target);
}

// Of the targets kept as "text/plain", the one Qt would read: UTF-8 first, the one of that name last.
qsizetype textRank(const QByteArray& target) {
  const qsizetype rank = kStringTargets.indexOf(target);
  return rank < 0 ? kStringTargets.size() : rank;
}

QByteArray asText(const QByteArray& target, QByteArray bytes) {
  if (bytes.endsWith('\0')) bytes.chop(1);  // owners written in C may send the string's end too
  return target == "UTF8_STRING" || target == "text/plain" ? bytes : QString::fromLatin1(bytes).toUtf8();
}

QClipboard* board() { return QGuiApplication::clipboard(); }

milliseconds left(const QDeadlineTimer& until) {
  return std::chrono::duration_cast<milliseconds>(until.remainingTimeAsDuration());
}

xcb_connection_t* qtConnection() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// A window of ours, never shown, to address X messages and selection answers to, and a filter
// that sees them among Qt's events.
class HiddenWindow : public QAbstractNativeEventFilter {
 public:
  HiddenWindow(xcb_connection_t* connection, uint32_t eventMask)
      : connection_(connection), window_(xcb_generate_id(connection)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventMask);
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~HiddenWindow() override {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    xcb_destroy_window(connection_, window_);
    xcb_flush(connection_);
  }
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;

 protected:
  xcb_connection_t* const connection_;
  const xcb_window_t window_;
};

// Qt hears of a new owner of the clipboard from an event. A message we send ourselves comes back
// after every event the server sent us before it, so once Qt has handled it, it has heard of
// every change of owner made before we asked.
class EventBarrier : public HiddenWindow {
 public:
  explicit EventBarrier(xcb_connection_t* connection) : HiddenWindow(connection, XCB_EVENT_MASK_NO_EVENT) {}

  void pass() {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window_;
    message.data.data32[0] = ++sent_;
    // With no event mask, the server hands the message to the client that made the window: us.
    xcb_send_event(connection_, false, window_, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
    runEventsUntil([this] { return back_ == sent_; }, kCatchUpLimit);
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (!isXcbEvent(type, message, XCB_CLIENT_MESSAGE)) return false;
    const auto* client = static_cast<xcb_client_message_event_t*>(message);
    if (client->window != window_) return false;
    back_ = client->data.data32[0];
    return true;
  }

 private:
  uint32_t sent_ = 0;
  uint32_t back_ = 0;
};

// Reads another program's offer on the clipboard over Qt's connection to the X server, but not
// through Qt's reader, which waits five seconds for each answer and never asks twice. The answers
// come to a window of ours, through Qt's event loop.
class SelectionReader : public HiddenWindow {
 public:
  // Large contents come in pieces, announced by a property of type `incr` (the INCR protocol).
  SelectionReader(xcb_connection_t* connection, xcb_atom_t selection, xcb_atom_t property, xcb_atom_t incr)
      : HiddenWindow(connection, XCB_EVENT_MASK_PROPERTY_CHANGE),
        selection_(selection),
        property_(property),
        incr_(incr) {}

  // The bytes the owner gives as `target`; nothing when it refuses, or has not given them all by
  // `until`.
  std::optional<QByteArray> read(xcb_atom_t target, const QDeadlineTimer& until) {
    if (!ask(target, until)) return std::nullopt;
    newPiece_ = false;
    const std::optional<Piece> first = take();
    if (!first || first->type != incr_) return first ? std::optional(first->bytes) : std::nullopt;
    // Taking the announcement away asked for the first piece; an empty piece ends the transfer.
    QByteArray whole;
    for (;;) {
      runEventsUntil([this] { return newPiece_; }, left(until));
      if (!std::exchange(newPiece_, false)) return std::nullopt;
      const std::optional<Piece> piece = take();
      if (!piece) return std::nullopt;
      if (piece->bytes.isEmpty()) return whole;
      whole += piece->bytes;
    }
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (isXcbEvent(type, message, XCB_SELECTION_NOTIFY)) {
      const auto* notify = static_cast<xcb_selection_notify_event_t*>(message);
      if (notify->requestor != window_) return false;
      if (notify->selection == selection_ && notify->target == awaited_) answer_ = notify->property;
      return true;
    }
    if (isXcbEvent(type, message, XCB_PROPERTY_NOTIFY)) {
      const auto* change = static_cast<xcb_property_notify_event_t*>(message);
      if (change->window != window_) return false;
      if (change->atom == property_ && change->state == XCB_PROPERTY_NEW_VALUE) newPiece_ = true;
      return true;
    }
    return false;
  }

 private:
  struct Piece {
    xcb_atom_t type;
    QByteArray bytes;
  };

  // Whether the owner put its answer for `target` on our window. A late answer to an earlier
  // request names that request's target, and is passed over.
  bool ask(xcb_atom_t target, const QDeadlineTimer& until) {
    if (until.hasExpired()) return false;
    awaited_ = target;
    answer_.reset();
    xcb_delete_property(connection_, window_, property_);
    request(target);
    runEventsUntil([this] { return answer_.has_value(); }, std::min(kAskAgainAfter, left(until)));
    if (!answer_ && !until.hasExpired()) {
      request(target);
      runEventsUntil([this] { return answer_.has_value(); }, left(until));
    }
    awaited_ = XCB_ATOM_NONE;
    return answer_.value_or(XCB_ATOM_NONE) != XCB_ATOM_NONE;
  }

  void request(xcb_atom_t target) {
    xcb_convert_selection(connection_, window_, selection_, target, property_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
  }

  // The property's content, taken off our window.
  std::optional<Piece> take() {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, true, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4),
        nullptr);
    if (!reply) return std::nullopt;
    Piece piece{reply->type, QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                                        xcb_get_property_value_length(reply))};
    free(reply);
    return piece;
  }

  xcb_atom_t selection_;
  xcb_atom_t property_;
  xcb_atom_t incr_;
  xcb_atom_t awaited_ = XCB_ATOM_NONE;
  std::optional<xcb_atom_t> answer_;  // the property the answer is in; none when refused
  bool newPiece_ = false;
};

}  // namespace

struct SystemClipboard::Impl {
  xcb_connection_t* x = qtConnection();
  std::unique_ptr<EventBarrier> barrier = x ? std::make_unique<EventBarrier>(x) : nullptr;
  xcb_atom_t clipboardAtom = internAtom("CLIPBOARD");
  xcb_atom_t targetsAtom = internAtom("TARGETS");
  std::unique_ptr<SelectionReader> reader =
      x ? std::make_unique<SelectionReader>(x, clipboardAtom, internAtom("MARVANE_CLIPBOARD"), internAtom("INCR"))
        : nullptr;
  Mark othersCopies = 0;
  bool changing = false;  // Qt announces our own changes at once, while this is set
  SelectionRequestClock requests;  // since our last change
  QElapsedTimer changed;
  QMetaObject::Connection watch;

  Impl() {
    changed.start();
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
    requests.forget();
    changed.start();
  }

  // Whether another program's offer is read here rather than by Qt: Qt reads our own at once, and
  // without X the clipboard lives in this process.
  bool readsItself() const { return reader && !board()->ownsClipboard(); }

  QByteArray atomName(xcb_atom_t atom) const {
    xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(x, xcb_get_atom_name(x, atom), nullptr);
    const QByteArray name =
        reply ? QByteArray(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply)) : QByteArray();
    free(reply);
    return name;
  }

  // The offer of the program that owns the clipboard, read by our reader until `until`.
  Offer othersOffer(const QDeadlineTimer& until) {
    const QByteArray list = reader->read(targetsAtom, until).value_or(QByteArray());
    const auto* atoms = reinterpret_cast<const xcb_atom_t*>(list.constData());
    QStringList formats;
    QMap<QString, std::pair<xcb_atom_t, QByteArray>> targets;  // each format's target and its name
    for (qsizetype i = 0; i < list.size() / qsizetype(sizeof(xcb_atom_t)); ++i) {
      const QByteArray name = atomName(atoms[i]);
      const QString format = formatName(name);
      if (name.isEmpty() || holdsNoContent(format)) continue;
      const auto known = targets.constFind(format);
      if (known == targets.cend()) formats.append(format);
      if (known == targets.cend() || textRank(name) < textRank(known->second)) targets[format] = {atoms[i], name};
    }
    return {formats, [this, targets, until](const QString& format) {
              const auto [atom, name] = targets.value(format);
              std::optional<QByteArray> bytes = reader->read(atom, until);
              if (bytes && format == kText) bytes = asText(name, *bytes);
              return bytes;
            }};
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
  if (!d_->readsItself()) return board()->image();
  const std::optional<OfferedPicture> offered = firstPicture(d_->othersOffer(QDeadlineTimer(kReadLimit)));
  return offered ? offered->picture : QImage();
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
  runEventsUntil([&] { return d_->othersCopies > since || waitingStopped(); }, limit);
  return d_->othersCopies > since;
}

void SystemClipboard::awaitTakenIn(milliseconds limit) {
  if (!d_->x || !board()->ownsClipboard()) return;
  const QDeadlineTimer until(std::max(limit - milliseconds(d_->changed.elapsed()), 0ms));
  runEventsUntil([this] { return d_->requests.asked() || waitingStopped(); }, left(until));
  while (d_->requests.within(kTakingIn) && !until.hasExpired() && !waitingStopped())
    runEventsUntil(waitingStopped, kTakingInPoll);
}

ClipboardContent SystemClipboard::content() {
  d_->catchUp();
  if (d_->readsItself()) return contentOf(d_->othersOffer(QDeadlineTimer(kReadLimit)));
  const QMimeData* data = board()->mimeData();
  if (!data) return {};
  ClipboardContent content =
      contentOf({data->formats(), [data](const QString& format) { return std::optional(data->data(format)); }});
  // Our own picture is offered as Qt's decoded picture alone.
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
