// A clipboard owner for the display tests that speaks the X selection protocol itself, as a
// program outside Qt does: it offers each TARGET=FILE it is given with the file's bytes, in the
// order given. With --late it holds each answer back until the next request reaches it, as
// Wine's clipboard thread sometimes does; with --pieces it hands contents over in small pieces
// (the INCR protocol), as owners of large contents do. It prints "ready" once it owns the
// clipboard and runs until it is stopped.
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kPiece = 4096;

struct Target {
  xcb_atom_t atom;
  std::string bytes;
};

xcb_atom_t atom(xcb_connection_t* x, const std::string& name) {
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
      xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, name.size(), name.c_str()), nullptr), &free);
  return reply ? reply->atom : XCB_ATOM_NONE;
}

std::optional<Target> targetOf(xcb_connection_t* x, const std::string& argument) {
  const std::string::size_type equals = argument.find('=');
  if (equals == std::string::npos) return std::nullopt;
  std::ifstream file(argument.substr(equals + 1), std::ios::binary);
  if (!file) return std::nullopt;
  return Target{atom(x, argument.substr(0, equals)), {std::istreambuf_iterator<char>(file), {}}};
}

class Owner {
 public:
  Owner(xcb_connection_t* x, std::vector<Target> targets, bool inPieces)
      : x_(x), targets_(std::move(targets)), inPieces_(inPieces) {}

  // Writes the answer to `request` and tells the requestor; a target we do not offer is refused.
  void answer(const xcb_selection_request_event_t& request) {
    xcb_atom_t property = request.property;
    if (request.target == targetsAtom_) {
      std::vector<xcb_atom_t> offered = {targetsAtom_};
      for (const Target& t : targets_) offered.push_back(t.atom);
      xcb_change_property(x_, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32, offered.size(),
                          offered.data());
    } else if (const Target* t = find(request.target); t && inPieces_) {
      // Each piece follows once the requestor has taken the one before off its window.
      const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
      xcb_change_window_attributes(x_, request.requestor, XCB_CW_EVENT_MASK, &events);
      const auto size = uint32_t(t->bytes.size());
      xcb_change_property(x_, XCB_PROP_MODE_REPLACE, request.requestor, property, incrAtom_, 32, 1, &size);
      sending_ = Transfer{request.requestor, property, t, 0};
    } else if (t) {
      xcb_change_property(x_, XCB_PROP_MODE_REPLACE, request.requestor, property, t->atom, 8, t->bytes.size(),
                          t->bytes.data());
    } else {
      property = XCB_ATOM_NONE;
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(x_, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
    xcb_flush(x_);
  }

  // The next piece once the last was taken; an empty one ends the transfer.
  void taken(const xcb_property_notify_event_t& change) {
    if (!sending_ || change.window != sending_->window || change.atom != sending_->property ||
        change.state != XCB_PROPERTY_DELETE)
      return;
    const std::string& bytes = sending_->target->bytes;
    const std::size_t length = std::min(kPiece, bytes.size() - sending_->sent);
    xcb_change_property(x_, XCB_PROP_MODE_REPLACE, sending_->window, sending_->property, sending_->target->atom, 8,
                        length, bytes.data() + sending_->sent);
    xcb_flush(x_);
    if (length == 0) sending_.reset();
    else sending_->sent += length;
  }

 private:
  struct Transfer {
    xcb_window_t window;
    xcb_atom_t property;
    const Target* target;
    std::size_t sent;
  };

  const Target* find(xcb_atom_t target) const {
    for (const Target& t : targets_)
      if (t.atom == target) return &t;
    return nullptr;
  }

  xcb_connection_t* x_;
  std::vector<Target> targets_;
  bool inPieces_;
  xcb_atom_t targetsAtom_ = atom(x_, "TARGETS");
  xcb_atom_t incrAtom_ = atom(x_, "INCR");
  std::optional<Transfer> sending_;
};

}  // namespace

int main(int argc, char** argv) {
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) return 2;
  xcb_get_maximum_request_length(x);  // turns on big requests, for pictures over 256 kB
  bool late = false;
  bool inPieces = false;
  std::vector<Target> targets;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--late") == 0) {
      late = true;
    } else if (std::strcmp(argv[i], "--pieces") == 0) {
      inPieces = true;
    } else if (std::optional<Target> t = targetOf(x, argv[i])) {
      targets.push_back(*t);
    } else {
      std::fprintf(stderr, "usage: %s [--late] [--pieces] TARGET=FILE...\n", argv[0]);
      return 2;
    }
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  const xcb_window_t window = xcb_generate_id(x);
  xcb_create_window(x, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  const xcb_atom_t clipboard = atom(x, "CLIPBOARD");
  xcb_set_selection_owner(x, window, clipboard, XCB_CURRENT_TIME);
  std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> owner(
      xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, clipboard), nullptr), &free);
  if (!owner || owner->owner != window) return 3;
  std::puts("ready");
  std::fflush(stdout);

  Owner answers(x, std::move(targets), inPieces);
  std::optional<xcb_selection_request_event_t> held;
  while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
    const uint8_t kind = event->response_type & 0x7f;
    if (kind == XCB_PROPERTY_NOTIFY) answers.taken(*reinterpret_cast<xcb_property_notify_event_t*>(event));
    if (kind == XCB_SELECTION_REQUEST) {
      const auto request = *reinterpret_cast<xcb_selection_request_event_t*>(event);
      if (held) answers.answer(*held);
      held.reset();
      if (late)
        held = request;
      else
        answers.answer(request);
    }
    free(event);
  }
  return 0;
}
