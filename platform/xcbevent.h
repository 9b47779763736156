#pragma once

#include <QByteArray>
#include <cstdint>

// After Qt's headers: the X headers' names clash with Qt's.
#include <xcb/xcb.h>

namespace platform {

// Whether a native event handed to a Qt event filter is the X event `kind` (XCB_CLIENT_MESSAGE,
// XCB_SELECTION_REQUEST...), whether the server made it or a client sent it.
inline bool isXcbEvent(const QByteArray& type, const void* message, uint8_t kind) {
  constexpr uint8_t kNotSent = 0x7f;  // strips the bit of events made by SendEvent
  return type == "xcb_generic_event_t" &&
         (static_cast<const xcb_generic_event_t*>(message)->response_type & kNotSent) == kind;
}

}  // namespace platform
