#pragma once

#include <QImage>

// The adjust panel's filters. Each works on the picture in place, channel by channel (v is one
// of red, green, blue), in double arithmetic, rounds to the nearest whole number and holds the
// result in 0..255. Each returns false and leaves the picture as it was for a picture without
// pixels or a parameter outside its domain. Brightness 0.5 with contrast 0.5, and gamma 5.0,
// leave a picture exactly as it is: they are the values the panel opens with.
namespace raster {

// v' = (v - 128) * 2c + 128 + (2b - 1) * 255, for finite b and c (the panel's range is 0..1).
bool brightnessContrast(QImage& picture, double brightness, double contrast);
// v' = 255 * (v / 255) ^ (5 / g), for a finite g above 0 (the panel's range is 1..10).
bool gammaCorrect(QImage& picture, double gamma);
// Every channel becomes (299 R + 587 G + 114 B + 500) \ 1000.
bool grey(QImage& picture);
// v' = 255 - v.
bool negative(QImage& picture);
// v' = v + n * (4v - up - down - left - right), from the unsharpened neighbours, for n >= 1.
// Past the picture's edge the nearest edge pixel stands in for a neighbour.
bool sharpen(QImage& picture, int amount);
// n passes of v' = (sum of the 3 x 3 block around the pixel + 4) \ 9, for n >= 1, with the
// same edge rule as sharpen.
bool soften(QImage& picture, int amount);

}  // namespace raster
