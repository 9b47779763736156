#pragma once

#include "app/form1.h"

// The turns, the flips, the Things list and the adjust panel let window events run part way
// through their work. A click on one of their controls arriving then would start a second run
// over the pictures and counters the first one is still changing, so it is ignored. The handler
// of such a click holds one of these for its whole run and returns at once when it did not start.
class ExclusiveRun {
 public:
  explicit ExclusiveRun(Form1& f) : running_(f.imagingrunning), started_(!f.imagingrunning) { running_ = true; }
  ~ExclusiveRun() {
    if (started_) running_ = false;
  }
  ExclusiveRun(const ExclusiveRun&) = delete;
  ExclusiveRun& operator=(const ExclusiveRun&) = delete;
  bool started() const { return started_; }

 private:
  bool& running_;
  bool started_;
};
