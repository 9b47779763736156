#pragma once

#include <QImage>
#include <QString>

// Reads a picture file, deciding the format by its content (a BMP named ".dib" is still a BMP).
// False, and `picture` untouched, when the file cannot be read: a file whose header promises no
// size is refused rather than read as a grey picture.
bool readPictureFile(const QString& path, QImage* picture);
