#pragma once

#include <utility>

#include "platform/picturebox.h"

// Drawing into a picture box's persistent image (AutoRedraw on) for the rest of a scope. The end
// of the scope switches AutoRedraw off, not back to what it was: every handler expects the box to
// draw on its erasable layer afterwards, also when a step before it had left AutoRedraw on.
class PersistentDrawing {
 public:
  explicit PersistentDrawing(PictureBox* box) : box_(box) { box_->setAutoRedraw(true); }
  ~PersistentDrawing() { box_->setAutoRedraw(false); }
  PersistentDrawing(const PersistentDrawing&) = delete;
  PersistentDrawing& operator=(const PersistentDrawing&) = delete;

 private:
  PictureBox* box_;
};

// AutoRedraw on, draw, make the drawing the box's picture, AutoRedraw off.
template <typename Draw>
void drawCommitted(PictureBox* box, Draw&& draw) {
  PersistentDrawing persistent(box);
  std::forward<Draw>(draw)();
  box->commit();
}
