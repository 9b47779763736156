#pragma once

#include <array>

#include "app/form1.h"

// The type labels of the picture browser: the files each lists, the extension a picture dropped
// on the browser is saved with while it is green, and its cell in the rows of labels. The order is
// the order in which a save by drop tests them (the last green one wins).
struct FileTypeLabel {
  LabelButton* Form1::*label;
  const char* caption;
  const char* pattern;
  const char* saveExtension;
  int row, column, span;
};

inline constexpr const char* AllPicturesPattern =
    "*.bmp;*.jpg;*.gif;*.dib;*.pcx;*.png;*.tga;*.tif;*.wmf;*.emf;*.ico;*.rle";
// What the file list shows before any type label is clicked: cursors, but no EMF.
inline constexpr const char* StartPattern = "*.bmp;*.jpg;*.gif;*.dib;*.pcx;*.png;*.tga;*.tif;*.ico;*.rle;*.wmf;*.cur";
inline constexpr const char* ProgramFilesPattern = "*.exe;*.dll";

inline const std::array<FileTypeLabel, 15> fileTypeLabels = {{
    {&Form1::Label15, "BMP", "*.bmp", ".bmp", 0, 0, 1},
    {&Form1::Label16, "GIF", "*.gif", ".gif", 0, 1, 1},
    {&Form1::Label17, "DIB", "*.dib", ".dib", 0, 2, 1},
    {&Form1::Label18, "JPG", "*.jpg", ".jpg", 0, 3, 1},
    {&Form1::Label19, "PCX", "*.pcx", ".pcx", 0, 4, 1},
    {&Form1::Label20, "PNG", "*.png", ".png", 1, 0, 1},
    {&Form1::Label21, "TGA", "*.tga", ".tga", 1, 1, 1},
    {&Form1::Label22, "TIF", "*.tif", ".tif", 1, 2, 1},
    {&Form1::Label23, " All Pic    Files", AllPicturesPattern, ".bmp", 2, 3, 2},
    {&Form1::Label39, "RLE", "*.rle", ".bmp", 1, 3, 1},
    {&Form1::Label40, " ICO", "*.ico", ".bmp", 1, 4, 1},
    {&Form1::Label41, "Wmf", "*.wmf", ".bmp", 2, 0, 1},
    {&Form1::Label42, "CUR", "*.cur", ".bmp", 2, 1, 1},
    {&Form1::Label43, "Grab Icons", ProgramFilesPattern, ".bmp", 3, 0, 2},
    {&Form1::Label44, "Emf", "*.emf", ".bmp", 2, 2, 1},
}};
