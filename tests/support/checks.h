#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QString>

// A file of the sample pictures kept with the tests (tests/data/pictures).
QString samplePath(const QString& name);

// Readable failures for Qt's strings.
void PrintTo(const QString& s, std::ostream* os);
void PrintTo(const QByteArray& b, std::ostream* os);

// Pixel helpers: colours are the program's BGR longs.
long pixelAt(const QImage& img, int x, int y);
int countColour(const QImage& img, long bgr, const QRect& area = QRect());
// Equal images, or a failure naming the first differing pixel and both colours.
::testing::AssertionResult sameImage(const QImage& expected, const QImage& actual);
// A plain picture of one colour.
QImage solidImage(int w, int h, long bgr);
// A 256-row picture whose every column differs: red and green number the column, blue is the row
// plus `tone`, so a copy shows which source column each of its columns came from.
QImage columnPattern(int width, int tone = 0);
// A picture as the bytes of a BMP file.
QByteArray bmpBytes(const QImage& image);

// Whole files; a file that cannot be read gives no bytes.
QByteArray bytesOf(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
