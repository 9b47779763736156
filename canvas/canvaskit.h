#pragma once

#include <QImage>
#include <QPoint>

class Form1;
class ImageBox;
class OptionButton;

// Steps the canvas handlers share: the drops, Paste, the import and the touch-up tools.
namespace canvaskit {

// The point of the frame whose colour an overlay leaves out: its key colour.
constexpr QPoint KeyPoint(160, 128);

// A colour kept as decimal text (textsettings element 7), as a whole number.
long wholeColour(const QString& decimal);

// The chosen editing mode's button is light green, the others teal; Text6 goes with Draw.
void colourModeButtons(Form1& f, OptionButton* chosen);

// The thumbnail the drag under way comes from (the strip, the mugshot, the browse boxes), found
// by dragsource; null for any other drag.
const ImageBox* draggedThumbnail(const Form1& f);

// Makes `width` the insert's width, unless a header strip is being made: the insert is then small
// enough for a 32-line or a 16-line strip.
void setInsertWidth(Form1& f, double width);

// 4 pics in 1: the anchor and the width of the quarter of the frame that holds (x, y).
void placeInQuarter(Form1& f, double x, double y);

// Pic in Pic or Overlays: pictures brought in become pending inserts.
bool insertMode(const Form1& f);

// Pic in Pic with Follow Mouse: the insert grows along a trail of copies.
bool followMouse(const Form1& f);

// Pic in Pic with 4 pics in 1: each picture fills the quarter of the frame it is dropped in.
bool fourInOne(const Form1& f);

// Moves (x, y) from the insert's centre to its top-left corner and makes that the anchor.
void centreInsert(Form1& f, double& x, double& y);

// Keeps `source` in Picture2, the insert's working copy. With Follow Mouse, Undo takes Picture2
// for the main picture as it was when placing started, so the main picture is kept there instead.
void keepWorkingCopy(Form1& f, const QImage& source);

// Ends Fix Col, when it is armed, with the draw colour it found put back.
void endFixCol(Form1& f);

// OOPS can bring `before` back: the before-copy, with OOPS showing the latest work.
void keepBeforeCopy(Form1& f, const QImage& before);

// Paints `source` stretched over the whole frame of the main picture's current layer.
void paintFullFrame(Form1& f, const QImage& source);

// Lays the full-frame overlay of Image6 over the whole main picture, its key colour left out; in
// the 340 layout it is stretched over the wider frame first.
void showFullFrameOverlay(Form1& f);

// Shows the pending insert of Image6 at the anchor: as it is in Pic in Pic, else as an overlay
// from Picture2, its key colour left out.
void showInsert(Form1& f);
// The same for a picture brought in from outside, which a pending full-frame overlay also shows
// over the whole picture.
void showInsertFromOutside(Form1& f);

// A pending insert dropped at (x, y): a picture-in-picture, an overlay, a full-frame overlay or
// a quarter of 4 pics in 1, as the mode and its check boxes say.
void dropInsert(Form1& f, double x, double y);

// The import button dropped on the main picture at (x, y).
void importDrop(Form1& f, double x, double y);

}  // namespace canvaskit
