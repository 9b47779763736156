#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Picture files in every format Marvane reads or writes. Failures come with a reason that names
// the file, ready for a message to the operator.

// The largest picture read: bigger ones are refused from their header, before any decoding.
constexpr int MaxPictureSide = 16384;
constexpr qint64 MaxPicturePixels = 50'000'000;

// Reads `path` into `picture` (Format_RGB32; transparent parts come out black). The format is
// decided by the content, never by the name: BMP (also RLE, and a ".dib" with a "BM" header),
// packed DIB, JPEG, PNG, GIF, TIFF, ICO, CUR, PCX, TGA, WMF and EMF. With `atLeast` valid a JPEG
// may be decoded at a reduced scale that is still at least that size both ways (thumbnails).
// False, `picture` untouched and `reason` set, for anything but a whole picture of at most
// MaxPictureSide pixels a side and MaxPicturePixels in all. Only regular files are read. WMF and
// EMF are drawn by the helper program marvane-metafile, beside the program, under limits of time
// and memory; pending window events run meanwhile, the operator's input excepted.
bool readPictureFile(const QString& path, QImage* picture, QString* reason = nullptr, QSize atLeast = QSize());

// Picture bytes another program offers, on the clipboard, read as a file of the same bytes would
// be (Format_RGB32, the same limits and checks) when their content is a BMP, packed DIB, JPEG,
// PNG, GIF, TIFF, ICO or CUR, whatever the format's name says. Null for anything else, and for
// what a file would be refused for.
QImage decodeOfferedPicture(const QByteArray& bytes);

// The helper's side: draws the WMF or EMF on standard input and answers on standard output;
// returns the helper's exit code.
int drawMetafileOnStandardStreams();

enum class PictureFormat { Bmp, Dib, Png, Tiff, Jpeg, Tga, Pcx, Gif, Fif };

// Writes `picture` as 24-bit colour without alpha (GIF: up to 256 colours) in `format`, JPEG at
// `jpegQuality` (1-100). A DIB is written as a BMP with its "BM" file header. The file is written
// whole or not at all: a failed write leaves an existing file as it was. FIF has no encoder and is
// always refused.
bool writePictureFile(const QString& path, const QImage& picture, PictureFormat format, int jpegQuality,
                      QString* reason = nullptr);
