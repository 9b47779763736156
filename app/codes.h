#pragma once

// The numbers the handlers leave in the main window's shared markers for each other to find. The
// variables keep their old names (`dragsource`, `operationmarker`, `toolmarker`,
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

// `operationmarker`
namespace marker {
// The QSL band or the date stamp prints: the printer and the outline draw although SET is idle.
constexpr int QslPrint = 7270;
// A single colour, not a picture, is dragged as PatFil's source (the colour is in `pickedcolour`).
constexpr int ColourDrag = 201;
}  // namespace marker

// `toolmarker`
namespace tool {
constexpr int CropMarking = 101;  // a crop rectangle is being drawn
constexpr int DirButtonClicked = 107;  // the next change of the directory list shows four pictures
}  // namespace tool

// `picturefontmode`
namespace fontmode {
constexpr int Plain = 1;          // start-up's value; no handler tests it
constexpr int Resized = 100;      // Bigger or Smaller resized the insert: SET adds the twentieth they showed
constexpr int PictureFont = 400;  // a picture-font character is pending on the main picture
}  // namespace fontmode

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
