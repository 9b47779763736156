#pragma once

#include <chrono>
#include <functional>
#include <memory>

class QObject;

namespace platform {

// How Marvane waits on another program or a device: our own window events run, so the clipboard
// is served, the windows repaint and the window manager's requests are heard, a request to close a
// window among them. What would start something new in our windows (a button or key pressed, a
// wheel turned, something dropped) is dropped, so nothing can begin inside the operation that
// waits; a release or a move still reaches the control that was pressed before.

// Lets our events run until `done` returns true or `limit` has passed; whether `done` did.
bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
// Lets the events that are pending run once.
void runPendingEvents();

// While one lives, every drag over our windows is refused, another program's or our own: a drop
// carries no press, so the toolkit's own exclusion of the operator's input lets it through, and it
// would start a load or a save inside the operation that waits.
class DropsRefused {
 public:
  DropsRefused();
  ~DropsRefused();
  DropsRefused(const DropsRefused&) = delete;
  DropsRefused& operator=(const DropsRefused&) = delete;

 private:
  std::unique_ptr<QObject> filter_;
};

// The operator is closing the window: every wait on another program, the running one and the ones
// after it, ends at once, until resumeWaiting.
void stopWaiting();
void resumeWaiting();
bool waitingStopped();

}  // namespace platform
