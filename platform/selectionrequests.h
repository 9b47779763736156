#pragma once

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>

// Last: the X headers' names clash with Qt's.
#include "platform/xcbevent.h"

namespace platform {

// Notes, while it lives, when another program last asked us for the content of what we offer on
// the clipboard. Qt answers the request itself.
class SelectionRequestClock : public QAbstractNativeEventFilter {
 public:
  SelectionRequestClock() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installNativeEventFilter(this);
  }
  ~SelectionRequestClock() override {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
  }
  SelectionRequestClock(const SelectionRequestClock&) = delete;
  SelectionRequestClock& operator=(const SelectionRequestClock&) = delete;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (isXcbEvent(type, message, XCB_SELECTION_REQUEST)) last_.start();
    return false;
  }
  void forget() { last_.invalidate(); }
  bool asked() const { return last_.isValid(); }
  bool within(std::chrono::milliseconds span) const {
    return last_.isValid() && std::chrono::milliseconds(last_.elapsed()) < span;
  }

 private:
  QElapsedTimer last_;
};

}  // namespace platform
