#pragma once

// The numbers the handlers leave in the main window's shared markers for each other to find. The
// variables keep their names in lower case (`dragsource`, `operationmarker`, `toolmarker`,
// `picturefontmode`); these constants name the values they hold.

// `dragsource`: what is being dragged, or what waits on the main picture.
namespace drag {
constexpr int Nothing = 0;
constexpr int FirstThumbnail = 2;  // the strip's boxes Image2 .. Image5 are 2 .. 5
constexpr int MainPicture = 8;
constexpr int ImportButton = 9;
constexpr int Mugshot = 10;
constexpr int FirstBrowseThumbnail = 11;  // the browser's boxes Image8 .. Image11 are 11 .. 14
constexpr int PendingShape = 99;          // nothing dragged: a Things shape waits for SET or Undo
// The width a thumbnail dropped on the main picture takes as an insert.
constexpr double ThumbnailInsertWidth = 120;
}  // namespace drag

// Sizes and places of inserts on the main picture (the height is always four fifths of the width).
namespace insert {
// While a header strip is made, inserts are small enough for a 32-line or a 16-line strip.
constexpr double Header32Width = 40;
constexpr double Header16Width = 20;
// Follow Mouse starts small and grows while it is dragged.
constexpr double FollowMouseWidth = 30;
// 4 pics in 1: each picture fills one quarter of the frame, split at this point.
constexpr double QuarterWidth = 160;
constexpr double WideQuarterWidth = 170;  // in the 340 layout
constexpr double QuarterHeight = 128;
}  // namespace insert

// `operationmarker`
namespace marker {
// The QSL band or the date stamp prints: the printer and the outline draw although SET is idle.
constexpr int QslPrint = 7270;
// A single colour, not a picture, is dragged as PatFil's source (the colour is in `pickedcolour`).
constexpr int ColourDrag = 201;
// The adjust panel is open. No tool tests it: setting it ends whatever other value was pending.
constexpr int AdjustPanel = 255;
}  // namespace marker

// `toolmarker`
namespace tool {
constexpr int CropMarking = 101;  // a crop rectangle is being drawn
// The direction of the last turn of the picture or insert.
constexpr int Clockwise = 9;
constexpr int Anticlockwise = 19;
constexpr int DirButtonClicked = 107;  // the next change of the directory list shows four pictures
}  // namespace tool

// `picturefontmode`
namespace fontmode {
constexpr int Plain = 1;          // start-up's value; no handler tests it
constexpr int Resized = 100;      // Bigger or Smaller resized the insert: SET adds the twentieth they showed
constexpr int PictureFont = 400;  // a picture-font character is pending on the main picture
}  // namespace fontmode

// `headerdrag`: the header strip box whose drag is under way, Picture4 .. Picture12 as 4 .. 12.
namespace strip {
constexpr int None = 0;
constexpr int First = 4;
constexpr int Last32Line = 6;  // boxes 4 to 6 hold 32-line strips, 7 to 12 16-line ones
constexpr int Last = 12;
constexpr bool is32Line(int n) { return n <= Last32Line; }
constexpr int height(int n) { return is32Line(n) ? 32 : 16; }
}  // namespace strip

// The state a DragOver handler is given.
namespace dragstate {
constexpr int Enter = 0;
constexpr int Leave = 1;
constexpr int Over = 2;
}  // namespace dragstate

// Mouse buttons as the handlers receive them.
namespace mousebutton {
constexpr int Left = 1;
constexpr int Right = 2;
}  // namespace mousebutton

// `savedthumbs` slots (1-based): the scrap book's four, for Image2 .. Image5 in turn.
namespace slot {
constexpr int FirstScrap = 31;
}  // namespace slot
