#pragma once

#include <QString>

// Small helpers the picture browser's handlers share.

// A file of the browsed folder: one "/" between the folder and the name, also in the root.
inline QString joinPath(const QString& folder, const QString& name) {
  return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}
