#include "platform/windowlink.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/sendkeys.h"
#include "platform/waits.h"

// X headers last: their macros (None, Bool, Status) clash with Qt's names.
#include "platform/selectionrequests.h"
extern "C" {
#include <xdo.h>
}
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace platform {

// A program asked to become active hands the focus over a moment later; when a second window is
// asked for before that, the first may take the focus back after it. So each window found is
// waited for (an empty key string types nothing but waits) before the next title is tried. Once
// the operator is closing our window, no further window is brought forward.
std::optional<LinkWindow> activateInOrder(WindowLink& link, const QStringList& titles) {
  std::optional<LinkWindow> last;
  bool settled = true;
  for (const QString& title : titles) {
    if (waitingStopped()) break;
    if (!std::exchange(settled, true)) link.sendKeys(*last, QString());
    if (std::optional<LinkWindow> found = link.activate(title)) {
      last = found;
      settled = false;
    }
  }
  return last;
}

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

constexpr milliseconds kActivationTimeout = 2000ms;
// A window that has just shown may take the focus for itself after we asked for another, on a
// busy machine even half a second later; the request is then made again, this often.
constexpr milliseconds kActivationRetry = 250ms;
constexpr milliseconds kPollInterval = 5ms;
constexpr useconds_t kKeyDelayMicroseconds = 12000;  // xdotool's own pace between key events
// After the last key: the most we wait for the program to answer a ping, its time to act on the
// keys once it has read them, how long its clipboard requests may pause before it is taken as
// done, and the most we wait for them.
constexpr milliseconds kPingLimit = 1000ms;
constexpr milliseconds kSettleMinimum = 30ms;
constexpr milliseconds kSettleQuiet = 30ms;
constexpr milliseconds kSettleLimit = 1000ms;

// Lets our own events run for `span`, or until the operator closes our window: the clipboard keeps
// being served while nothing can start a second link operation.
void pumpFor(milliseconds span) { runEventsUntil(waitingStopped, span); }

// The title as a POSIX extended regular expression matching it literally (libxdo searches by
// expression, so a callsign like "G4.AB" must not match "G4XAB").
QByteArray literalPattern(const QString& title) {
  static const char special[] = "\\^$.[]|()*+?{}";
  QByteArray pattern;
  for (const char c : title.toUtf8()) {
    if (std::strchr(special, c)) pattern += '\\';
    pattern += c;
  }
  return pattern;
}

// Xlib ends the process on any protocol error unless a handler says otherwise. While a trap
// lives, a window that vanished between two of our requests only makes those requests fail.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    failed_ = false;
    previous_ = XSetErrorHandler(&ErrorTrap::note);
  }
  ~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Whether a request since the last call failed.
  bool failed() {
    XSync(display_, False);
    return std::exchange(failed_, false);
  }

 private:
  static int note(Display*, XErrorEvent*) {
    failed_ = true;
    return 0;
  }
  static inline bool failed_ = false;
  Display* display_;
  XErrorHandler previous_;
};

}  // namespace

struct XdoWindowLink::Impl {
  xdo_t* xdo = nullptr;
  bool tried = false;
  // When another program last asked us for the clipboard, so that the wait after the keys lasts
  // while it is still fetching the picture.
  SelectionRequestClock requests;
  milliseconds settled{0};
  long pingSerial = 0;

  ~Impl() {
    if (xdo) xdo_free(xdo);
  }

  // Our own connection to the display, opened at the first use, so that a window built where no
  // external program is ever reached (offscreen tests) never touches X.
  bool open() {
    if (!std::exchange(tried, true)) {
      xdo = xdo_new(nullptr);
      if (xdo) xdo->quiet = True;
    }
    return xdo != nullptr;
  }

  Display* display() const { return xdo->xdpy; }
  Window root() const { return DefaultRootWindow(display()); }

  // A list of 32-bit values a window keeps, as a window manager keeps them on the root window;
  // nothing when there is none (no manager, or one that does not keep it).
  std::optional<std::vector<unsigned long>> propertyList(Window w, const char* property, Atom type) const {
    constexpr long kMostItems = 65536;
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display(), w, XInternAtom(display(), property, False), 0, kMostItems, False, type,
                           &actualType, &format, &count, &after, &data) != Success || !data)
      return std::nullopt;
    std::optional<std::vector<unsigned long>> list;
    // Xlib hands 32-bit items over as longs.
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    if (actualType == type && format == 32) list.emplace(items, items + count);
    XFree(data);
    return list;
  }

  // Shown windows whose title matches `pattern`, anywhere in the window tree.
  std::vector<Window> search(const QByteArray& pattern) const {
    xdo_search_t query;
    std::memset(&query, 0, sizeof query);
    query.winname = pattern.constData();
    query.searchmask = SEARCH_NAME | SEARCH_ONLYVISIBLE;
    query.only_visible = True;
    query.max_depth = -1;
    query.require = xdo_search_t::SEARCH_ALL;
    Window* found = nullptr;
    unsigned int count = 0;
    xdo_search_windows(xdo, &query, &found, &count);
    std::vector<Window> windows(found, found + count);
    free(found);
    return windows;
  }

  // The top-level windows that may carry `title`. A window manager lists its clients; walking
  // the whole tree instead costs about 0.2 ms a window, and each frame holds dozens of windows,
  // which for eight titles would take longer than the whole send may. Without such a list (no
  // manager, or one without the standard's client list) libxdo walks the tree.
  std::vector<Window> candidates(const QString& title) const {
    if (std::optional<std::vector<unsigned long>> clients = propertyList(root(), "_NET_CLIENT_LIST", XA_WINDOW))
      return {clients->begin(), clients->end()};
    return search('^' + literalPattern(title));
  }

  // A shown or minimised top-level window titled `title`, else the first whose title begins with
  // it; case does not matter, as for libxdo's search. Titles compare as text, never as patterns.
  std::optional<LinkWindow> find(ErrorTrap& trap, const QString& title) const {
    // Every title begins with "", the window manager's nameless frames among them; a NUL would
    // cut libxdo's expression short and so match more.
    if (title.isEmpty() || title.contains(QChar(0))) return std::nullopt;
    std::optional<LinkWindow> beginning;
    for (const Window w : candidates(title)) {
      if (!present(trap, w)) continue;
      const LinkWindow candidate{w, titleOf(w)};
      if (candidate.title.compare(title, Qt::CaseInsensitive) == 0) return candidate;
      if (!beginning && candidate.title.startsWith(title, Qt::CaseInsensitive)) beginning = candidate;
    }
    return beginning;
  }

  QString titleOf(Window w) const {
    unsigned char* name = nullptr;
    int length = 0;
    int type = 0;
    xdo_get_window_name(xdo, w, &name, &length, &type);
    // When the window is gone, libxdo leaves the length unset and hands back no name.
    if (!name) return {};
    const auto* bytes = reinterpret_cast<const char*>(name);
    // _NET_WM_NAME is UTF-8; an old-style WM_NAME of type STRING is Latin-1.
    const QString title = type == XA_STRING ? QString::fromLatin1(bytes, length) : QString::fromUtf8(bytes, length);
    XFree(name);
    return title;
  }

  // Wine names a program's windows after its executable ("mmsstv.exe") in their class. A window
  // that has vanished has no class.
  bool underWine(Window w) const {
    XClassHint hint{};
    if (!XGetClassHint(display(), w, &hint)) return false;
    const bool wine = hint.res_name && QByteArray(hint.res_name).toLower().endsWith(".exe");
    XFree(hint.res_name);
    XFree(hint.res_class);
    return wine;
  }

  bool viewable(ErrorTrap& trap, Window w) const {
    XWindowAttributes attributes;
    const bool known = XGetWindowAttributes(display(), w, &attributes) != 0;
    return !trap.failed() && known && attributes.map_state == IsViewable;
  }

  // Whether the window manager keeps `w` minimised (the iconic state of the standard).
  bool minimised(Window w) const {
    const Atom wmState = XInternAtom(display(), "WM_STATE", False);
    const std::optional<std::vector<unsigned long>> state = propertyList(w, "WM_STATE", wmState);
    return state && !state->empty() && state->front() == IconicState;
  }

  // Shown, or minimised: the operator can bring either forward, and so can we.
  bool present(ErrorTrap& trap, Window w) const {
    if (viewable(trap, w)) return true;
    return minimised(w) && !trap.failed();
  }

  // Whether a window manager runs that activates windows on request and names the active one.
  bool managerActivates() const {
    const std::optional<std::vector<unsigned long>> supported = propertyList(root(), "_NET_SUPPORTED", XA_ATOM);
    const Atom wanted = XInternAtom(display(), "_NET_ACTIVE_WINDOW", False);
    return supported && std::find(supported->begin(), supported->end(), wanted) != supported->end();
  }

  // The server is held while `w` is checked and activated: libxdo reads a vanished window's
  // attributes as garbage and crashes on them, so `w` must not go away in between.
  // A minimised window is restored by mapping it, which every manager honours; it takes the focus
  // only once its manager has shown it, so without a manager that activates, that is left to the
  // next request (waitUntilActive asks again).
  bool bringForward(ErrorTrap& trap, Window w) const {
    XGrabServer(display());
    const bool shown = viewable(trap, w);
    const bool restoring = !shown && minimised(w) && !trap.failed();
    if (restoring) XMapRaised(display(), w);
    const bool activated =
        (shown || restoring) && managerActivates() && xdo_activate_window(xdo, w) == XDO_SUCCESS;
    if (shown && !activated) {
      xdo_raise_window(xdo, w);
      xdo_focus_window(xdo, w);
    }
    XUngrabServer(display());
    XFlush(display());
    return (shown || restoring) && !trap.failed();
  }

  // Whether the keyboard focus is in `w` or one of its children, where XTEST keys then go.
  bool focusWithin(ErrorTrap& trap, Window w) const {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display(), &focus, &revert);
    while (focus != w && focus != root() && focus != PointerRoot && focus != 0) {
      Window parentRoot = 0;
      Window parent = 0;
      Window* children = nullptr;
      unsigned int count = 0;
      if (!XQueryTree(display(), focus, &parentRoot, &parent, &children, &count) || trap.failed()) return false;
      if (children) XFree(children);
      focus = parent;
    }
    return focus == w;
  }

  // Still there, in whatever state: while its manager restores it, a window is for a moment neither
  // minimised nor shown, so only a window that is gone ends a wait for it.
  bool exists(Window w) const {
    ErrorTrap trap(display());
    XWindowAttributes attributes;
    return XGetWindowAttributes(display(), w, &attributes) != 0 && !trap.failed();
  }

  // A window manager names the active window before the window has the focus: programs that
  // take the focus themselves (Qt, Wine) get it only once they have handled the manager's
  // request. Keys go wherever the focus is, so both must be `w`.
  bool isActive(Window w) const {
    ErrorTrap trap(display());
    if (!viewable(trap, w) || !focusWithin(trap, w)) return false;
    if (!managerActivates()) return true;
    Window active = 0;
    return xdo_get_active_window(xdo, &active) == XDO_SUCCESS && !trap.failed() && active == w;
  }

  bool waitUntilActive(Window w) const {
    QElapsedTimer clock;
    clock.start();
    milliseconds nextRequest = kActivationRetry;
    while (!isActive(w)) {
      if (waitingStopped() || !exists(w) || milliseconds(clock.elapsed()) >= kActivationTimeout) return false;
      if (milliseconds(clock.elapsed()) >= nextRequest) {
        ErrorTrap trap(display());
        bringForward(trap, w);
        nextRequest += kActivationRetry;
      }
      pumpFor(kPollInterval);
    }
    return true;
  }

  bool answersPings(Window w) const {
    ErrorTrap trap(display());
    Atom* protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(display(), w, &protocols, &count) || trap.failed()) return false;
    const Atom ping = XInternAtom(display(), "_NET_WM_PING", False);
    const bool answers = std::find(protocols, protocols + count, ping) != protocols + count;
    XFree(protocols);
    return answers;
  }

  // Whether our connection has received the answer to ping `serial`; other events are dropped.
  bool pingAnswered(long serial) const {
    const Atom protocols = XInternAtom(display(), "WM_PROTOCOLS", False);
    bool answered = false;
    while (XPending(display())) {
      XEvent event;
      XNextEvent(display(), &event);
      answered = answered || (event.type == ClientMessage && event.xclient.message_type == protocols &&
                              event.xclient.data.l[1] == serial);
    }
    return answered;
  }

  // Pings the program of `w` (the window manager's standard question "are you alive?") and
  // waits for its answer. A program reads its events in order, so once it answers it has read
  // the keys sent before. The answer goes to the root window, where we listen meanwhile; the
  // standard has it sent to substructure listeners, Qt sends it to structure listeners.
  void awaitPing(Window w) {
    if (!answersPings(w)) return;
    ErrorTrap trap(display());
    XSelectInput(display(), root(), StructureNotifyMask | SubstructureNotifyMask);
    XEvent ping;
    std::memset(&ping, 0, sizeof ping);
    ping.xclient.type = ClientMessage;
    ping.xclient.window = w;
    ping.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = long(XInternAtom(display(), "_NET_WM_PING", False));
    ping.xclient.data.l[1] = ++pingSerial;  // stands in for the time stamp; tells our answers apart
    ping.xclient.data.l[2] = long(w);
    XSendEvent(display(), w, False, NoEventMask, &ping);
    XFlush(display());
    QElapsedTimer clock;
    clock.start();
    while (!pingAnswered(pingSerial) && !trap.failed() && !waitingStopped() &&
           milliseconds(clock.elapsed()) < kPingLimit)
      pumpFor(kPollInterval);
    XSelectInput(display(), root(), NoEventMask);
    XSync(display(), False);
    pingAnswered(0);  // drops what came in before the listening ended
  }

  // The keys are in the server once XSync returns. The program has read them once it answers a
  // ping; it then needs a moment to act on them, and to fetch our clipboard if they were its
  // paste keys.
  void settle(Window w) {
    QElapsedTimer clock;
    clock.start();
    XSync(display(), False);
    requests.forget();
    awaitPing(w);
    pumpFor(kSettleMinimum);
    while (requests.within(kSettleQuiet) && !waitingStopped() && milliseconds(clock.elapsed()) < kSettleLimit)
      pumpFor(kPollInterval);
    settled += milliseconds(clock.elapsed());
  }
};

XdoWindowLink::XdoWindowLink() : d_(std::make_unique<Impl>()) {}

XdoWindowLink::~XdoWindowLink() = default;

std::optional<LinkWindow> XdoWindowLink::activate(const QString& title) {
  if (!d_->open()) return std::nullopt;
  ErrorTrap trap(d_->display());
  std::optional<LinkWindow> found = d_->find(trap, title);
  if (!found || !d_->bringForward(trap, Window(found->id))) return std::nullopt;
  found->keepsOwnClipboard = d_->underWine(Window(found->id));
  return found;
}

SendResult XdoWindowLink::sendKeys(const LinkWindow& window, const QString& keys) {
  const ParsedKeys parsed = parseSendKeys(keys);
  if (!parsed.ok()) return SendResult::BadKeys;
  if (!d_->open() || !d_->waitUntilActive(window.id))
    return waitingStopped() ? SendResult::Stopped : SendResult::WindowNotFound;
  for (const QString& stroke : parsed.strokes) {
    if (waitingStopped()) return SendResult::Stopped;
    // A program that closed or lost the focus part-way gets no more keys, nor does the window
    // that took its place.
    if (!d_->isActive(window.id)) return SendResult::WindowNotFound;
    xdo_send_keysequence_window(d_->xdo, CURRENTWINDOW, stroke.toLatin1().constData(), kKeyDelayMicroseconds);
  }
  d_->settle(Window(window.id));
  return SendResult::Sent;
}

std::chrono::milliseconds XdoWindowLink::settled() const { return d_->settled; }

}  // namespace platform
