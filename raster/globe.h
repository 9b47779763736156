#pragma once

#include <QImage>
#include <QRgb>

// The Things globe.
namespace raster {

// The colour around the globe and of the circle whose edges shape it (24-bit &H1C30: the
// program's fill value -16770000 cut to a colour).
constexpr QRgb kGlobeMarker = qRgb(0x30, 0x1C, 0x00);

// Squeezes the picture row by row into a disc of diameter H centred in the frame. A circle of
// radius H / 2, two pixels wide, is drawn in the marker colour on a blank work picture and each
// row's chord is the run between the circle's inner edges, scanned outwards from the centre
// column (so marker-coloured pixels of the picture cannot cut a row short). Each row y, as a
// band of rows y and y + 1 of the whole width, is stretched into its chord (nearest pixel),
// rows in order; everything outside the disc takes the marker colour. False for a picture
// without pixels.
bool globe(QImage& picture);

}  // namespace raster
