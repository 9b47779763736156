#pragma once

// Where the main picture and the thumbnail strip stand in the two layouts, in pixels of the main
// window. The wide picture grows 7 pixels to the left and 13 to the right, and the thumbnail boxes
// step right to stay beside it; the window widens by as much so that the strip is not cut off at
// its right edge. Everything else keeps its place in both.
struct WindowLayout {
  int pictureWidth;   // drawing width of the main picture and its working copies
  int pictureLeft;    // Picture1 and Picture2
  int thumbnailLeft;  // Image2 .. Image5
  int windowWidth;
};
inline constexpr WindowLayout narrowLayout{320, 192, 523, 630};
inline constexpr WindowLayout wideLayout{340, 185, 530, 637};
inline constexpr int pictureHeight = 256;
inline constexpr int windowHeight = 536;
