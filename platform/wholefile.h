#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whole files, read or written in one go. Every file Marvane writes goes through writeWholeFile.

// Reads a whole file; nothing when it is missing, unreadable or no plain file (a folder, or a pipe,
// which would hold the reader until something writes to it), with the system's reason in `reason`
// when given.
std::optional<QByteArray> readWholeFile(const QString& path, QString* reason = nullptr);

// Writes a whole file through a temporary file beside it that takes the old file's place only
// once every byte is on the disk, so that a failed write (a full disk, a file too large) leaves
// the old file as it was and no temporary file behind. False when the file could not be written,
// with the system's reason in `reason` when given.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
