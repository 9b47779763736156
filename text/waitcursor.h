#pragma once

#include <QCursor>
#include <QWidget>

// The hourglass over a window for the rest of a scope, while a style or a filter run is drawn.
class WaitCursor {
 public:
  explicit WaitCursor(QWidget* w) : w_(w) { w_->setCursor(Qt::WaitCursor); }
  ~WaitCursor() { w_->unsetCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  QWidget* w_;
};
