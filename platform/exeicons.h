#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

namespace platform {

struct ExeIconResources;

// The icons stored in a Windows program file or library: 32-bit and 64-bit PE files and 16-bit
// NE files. The file is untrusted: anything that is not such a file, or is damaged anywhere,
// simply has fewer icons or none; reading it never fails loudly.
//
//   platform::ExeIcons icons = platform::ExeIcons::fromFile(iconfile);
//   iconcount = icons.count();
//   QImage drawn = icons.icon(iconindex, Picture3->backColor());  // 256 x 256, or null
//   if (!drawn.isNull()) ...paint it at (32, 7) of Picture3...
//
// The file stays open while the object lives, and is read again for every icon drawn.
class ExeIcons {
 public:
  // Every icon is drawn this many pixels square, whatever its stored size.
  static constexpr int DrawnSide = 256;

  static ExeIcons fromFile(const QString& path);
  static ExeIcons fromBytes(const QByteArray& bytes);
  ExeIcons(ExeIcons&&) noexcept;
  ExeIcons& operator=(ExeIcons&&) noexcept;
  ~ExeIcons();

  // The number of icon groups, in the order the file lists them (named groups first in a PE
  // file, as Windows numbers them).
  int count() const;

  // Group `index` (from 0) drawn DrawnSide x DrawnSide over `background` (a BGR colour long).
  // Of the group's images the one nearest 32 x 32 is drawn (least |w - 32| + |h - 32|; on a tie
  // the larger, then the one with more bits per pixel, then the first). It is scaled by nearest
  // neighbour (target pixel x takes source pixel x * w / DrawnSide) and drawn with its mask:
  // images with an alpha channel (PNG, or 32 bits with any alpha set) are blended, the others
  // keep the background where the AND mask is set and XOR their colour over it, as Windows does.
  // Null when `index` is out of range or the image cannot be decoded.
  QImage icon(int index, long background) const;

 private:
  explicit ExeIcons(std::unique_ptr<ExeIconResources> resources);
  std::unique_ptr<ExeIconResources> resources_;
};

}  // namespace platform
