#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

// PNG pictures wherever they come from: files, icon images, icons inside program files and other
// programs' offers. libpng decodes them, fed the whole bytes at once, and stops inflating the
// image data once the picture's last row is drawn: data past it, however much, costs nothing.

// The size in the PNG's header; invalid when the bytes start with no PNG signature and header.
QSize pngHeaderSize(QByteArrayView png);

// The PNG's picture in the pixel format Qt's own decoder gives and with the same pixels (no
// gamma applied, transparency kept; Mono, Indexed8, Grayscale8 or 16, RGB32, ARGB32, RGBX64 or
// RGBA64). Null when the image data ends before the picture does, for damage libpng refuses and
// beyond the reader's limits of side or pixels (picturefile.h). Text chunks are passed over
// unread.
QImage decodePng(QByteArrayView png);
