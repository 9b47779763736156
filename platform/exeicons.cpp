#include "platform/exeicons.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>
#include "platform/colour.h"
#include "platform/pngread.h"

namespace platform {

// Where the file's icon structures lie; the bytes are read only when an icon is drawn.
struct ExeIconResources {
  struct Location {
    quint64 offset = 0;
    quint64 size = 0;
  };
  std::unique_ptr<QIODevice> file;
  std::vector<Location> groups;       // icon group directories, in the file's order
  QHash<quint16, Location> images;    // icon images by their number
};

namespace {

using Location = ExeIconResources::Location;

constexpr quint16 kIconType = 3;          // RT_ICON
constexpr quint16 kGroupIconType = 14;    // RT_GROUP_ICON
constexpr quint16 kNeIntegerId = 0x8000;  // NE type and name numbers carry this bit
constexpr quint32 kPeSubdirectory = 0x80000000;  // PE directory entry points at a directory
constexpr quint32 kPeNamedEntry = 0x80000000;    // PE directory entry is named by a string

constexpr quint16 kMzSignature = 0x5A4D;
constexpr quint32 kMzNewHeaderAt = 0x3C;
constexpr quint32 kPeSignature = 0x00004550;
constexpr quint16 kNeSignature = 0x454E;
constexpr quint16 kPe32Magic = 0x10B;
constexpr quint16 kPe32PlusMagic = 0x20B;
constexpr quint32 kPe32DirectoriesAt = 96;
constexpr quint32 kPe32PlusDirectoriesAt = 112;
constexpr quint32 kResourceDirectoryIndex = 2;
constexpr quint32 kCoffHeaderBytes = 24;  // signature and file header
constexpr quint32 kSectionBytes = 40;
constexpr quint32 kDirectoryBytes = 16;
constexpr quint32 kDirectoryEntryBytes = 8;
constexpr quint32 kDataEntryBytes = 16;
constexpr quint32 kNeHeaderBytes = 64;
constexpr quint32 kNeResourceTableAt = 0x24;
constexpr quint32 kNeResidentNamesAt = 0x26;
constexpr quint32 kNeTypeBytes = 8;
constexpr quint32 kNeNameBytes = 12;
constexpr quint32 kGroupHeaderBytes = 6;
constexpr quint32 kGroupEntryBytes = 14;
constexpr quint16 kGroupOfIcons = 1;  // 2 would be cursors

// Limits no real file comes near; they keep a hostile one from costing time or memory.
constexpr int kMaxSections = 96;  // what the Windows loader accepts
constexpr int kMaxNeAlignShift = 16;
constexpr quint64 kMaxReadBytes = 8 << 20;
constexpr int kMaxIconSide = 1024;
constexpr int kMaxPaletteColours = 256;

constexpr int kWantedSide = 32;
constexpr int kBitmapHeaderMinBytes = 40;
constexpr quint32 kBitmapUncompressed = 0;

// Little-endian fields of a block read from the file. Nothing outside the block is ever read:
// such a field reads as 0, and parsers check `has` for each structure before trusting it.
class Fields {
 public:
  explicit Fields(QByteArray bytes) : bytes_(std::move(bytes)) {}
  const QByteArray& bytes() const { return bytes_; }
  quint64 size() const { return quint64(bytes_.size()); }
  bool has(quint64 at, quint64 length) const { return at <= size() && length <= size() - at; }
  quint8 u8(quint64 at) const { return quint8(le(at, 1)); }
  quint16 u16(quint64 at) const { return quint16(le(at, 2)); }
  quint32 u32(quint64 at) const { return quint32(le(at, 4)); }
  qint32 i32(quint64 at) const { return qint32(u32(at)); }

 private:
  quint64 le(quint64 at, int length) const {
    if (!has(at, quint64(length))) return 0;
    quint64 value = 0;
    for (int i = length - 1; i >= 0; --i) value = (value << 8) | quint8(bytes_[qsizetype(at) + i]);
    return value;
  }
  QByteArray bytes_;
};

// The `length` bytes at `offset`, or nothing when any of them lies outside the file.
Fields readAt(QIODevice& file, quint64 offset, quint64 length) {
  const quint64 size = quint64(file.size());
  if (length == 0 || length > kMaxReadBytes || offset > size || length > size - offset) return Fields({});
  if (!file.seek(qint64(offset))) return Fields({});
  QByteArray bytes = file.read(qint64(length));
  return Fields(quint64(bytes.size()) == length ? bytes : QByteArray());
}

Fields readAt(QIODevice& file, Location where) { return readAt(file, where.offset, where.size); }

// ---- PE ----

struct Section {
  quint64 virtualAddress;
  quint64 span;  // bytes of the section that the file holds
  quint64 fileOffset;
};

// The resource tree of a PE file. Its directories are walked exactly three levels deep (type,
// name, language), so a directory that points back at itself or an ancestor is read as the
// wrong level, finds no resource data and ends there: no loop can form.
class PeResources {
 public:
  PeResources(QIODevice& file, std::vector<Section> sections, quint32 rootRva)
      : file_(file), sections_(std::move(sections)), rootRva_(rootRva) {}

  // The first language's data of every name under `type`, in directory order, with the name's
  // number (names given as strings are kept too, as -1).
  std::vector<std::pair<qint32, Location>> resourcesOfType(quint16 type) const {
    std::vector<std::pair<qint32, Location>> found;
    for (const Entry& typeEntry : directory(0, kAllEntries)) {
      if (typeEntry.named() || typeEntry.id() != type) continue;
      if (!typeEntry.isDirectory()) return found;
      for (const Entry& name : directory(typeEntry.child(), kAllEntries)) {
        if (!name.isDirectory()) continue;
        const std::vector<Entry> languages = directory(name.child(), 1);
        if (languages.empty() || languages[0].isDirectory()) continue;
        if (std::optional<Location> data = dataAt(languages[0].target))
          found.emplace_back(name.named() ? -1 : qint32(name.id()), *data);
      }
      return found;
    }
    return found;
  }

 private:
  static constexpr quint32 kAllEntries = 0x20000;  // above the 2 x 65535 a directory can list

  struct Entry {
    quint32 name;
    quint32 target;
    bool named() const { return name & kPeNamedEntry; }
    quint16 id() const { return quint16(name); }
    bool isDirectory() const { return target & kPeSubdirectory; }
    quint32 child() const { return target & ~kPeSubdirectory; }
  };

  // File offset of `length` bytes at `rva`, when one section's file data holds all of them.
  std::optional<quint64> offsetOf(quint64 rva, quint64 length) const {
    for (const Section& s : sections_) {
      if (rva >= s.virtualAddress && length <= s.span && rva - s.virtualAddress <= s.span - length)
        return s.fileOffset + (rva - s.virtualAddress);
    }
    return std::nullopt;
  }

  Fields readTree(quint64 offsetInTree, quint64 length) const {
    const std::optional<quint64> at = offsetOf(rootRva_ + offsetInTree, length);
    return at ? readAt(file_, *at, length) : Fields({});
  }

  // Up to `limit` entries of the directory at `offsetInTree`; none when it does not fit.
  std::vector<Entry> directory(quint32 offsetInTree, quint32 limit) const {
    const Fields head = readTree(offsetInTree, kDirectoryBytes);
    const quint32 count = std::min<quint32>(quint32(head.u16(12)) + head.u16(14), limit);
    const Fields body = readTree(quint64(offsetInTree) + kDirectoryBytes, quint64(count) * kDirectoryEntryBytes);
    std::vector<Entry> entries;
    if (!head.has(0, kDirectoryBytes) || !body.has(0, quint64(count) * kDirectoryEntryBytes)) return entries;
    entries.reserve(count);
    for (quint32 i = 0; i < count; ++i)
      entries.push_back({body.u32(i * kDirectoryEntryBytes), body.u32(i * kDirectoryEntryBytes + 4)});
    return entries;
  }

  std::optional<Location> dataAt(quint32 offsetInTree) const {
    const Fields entry = readTree(offsetInTree, kDataEntryBytes);
    if (!entry.has(0, kDataEntryBytes)) return std::nullopt;
    const quint32 size = entry.u32(4);
    const std::optional<quint64> at = offsetOf(entry.u32(0), size);
    if (!at || size == 0) return std::nullopt;
    return Location{*at, size};
  }

  QIODevice& file_;
  std::vector<Section> sections_;
  quint64 rootRva_;
};

std::vector<Section> readSections(QIODevice& file, quint64 at, int count) {
  const Fields table = readAt(file, at, quint64(count) * kSectionBytes);
  std::vector<Section> sections;
  if (!table.has(0, quint64(count) * kSectionBytes)) return sections;
  for (int i = 0; i < count; ++i) {
    const quint64 s = quint64(i) * kSectionBytes;
    const quint32 virtualSize = table.u32(s + 8);
    const quint32 rawSize = table.u32(s + 16);
    // The loader maps no more than the virtual size; the rest of the raw data is padding.
    const quint32 span = virtualSize ? std::min(virtualSize, rawSize) : rawSize;
    sections.push_back({table.u32(s + 12), span, table.u32(s + 20)});
  }
  return sections;
}

void readPe(QIODevice& file, quint32 peAt, ExeIconResources& out) {
  const Fields coff = readAt(file, peAt, kCoffHeaderBytes);
  if (coff.u32(0) != kPeSignature) return;
  const int sectionCount = coff.u16(6);
  const quint16 optionalSize = coff.u16(20);
  if (sectionCount > kMaxSections) return;
  const Fields optional = readAt(file, quint64(peAt) + kCoffHeaderBytes, optionalSize);
  const quint16 magic = optional.u16(0);
  const quint32 directories = magic == kPe32Magic ? kPe32DirectoriesAt : magic == kPe32PlusMagic ? kPe32PlusDirectoriesAt : 0;
  if (directories == 0 || optional.u32(directories - 4) <= kResourceDirectoryIndex) return;
  const quint32 resourceRva = optional.u32(directories + kResourceDirectoryIndex * 8);
  if (resourceRva == 0) return;
  const PeResources tree(file, readSections(file, quint64(peAt) + kCoffHeaderBytes + optionalSize, sectionCount), resourceRva);
  for (const auto& [id, where] : tree.resourcesOfType(kGroupIconType)) out.groups.push_back(where);
  for (const auto& [id, where] : tree.resourcesOfType(kIconType))
    if (id >= 0 && !out.images.contains(quint16(id))) out.images.insert(quint16(id), where);
}

// ---- NE ----

// The resource table is a list of types, each followed by its resources, ending at a zero type.
// Every step moves forward through a table that ends where the resident names begin, so a
// damaged table ends the walk early and never loops.
void readNe(QIODevice& file, quint32 neAt, ExeIconResources& out) {
  const Fields header = readAt(file, neAt, kNeHeaderBytes);
  if (header.u16(0) != kNeSignature) return;
  const quint16 tableStart = header.u16(kNeResourceTableAt);
  const quint16 tableEnd = header.u16(kNeResidentNamesAt);
  if (tableEnd <= tableStart) return;
  const Fields table = readAt(file, quint64(neAt) + tableStart, tableEnd - tableStart);
  const int shift = table.u16(0);
  if (shift > kMaxNeAlignShift) return;
  const quint64 fileSize = quint64(file.size());
  quint64 at = 2;
  while (table.has(at, kNeTypeBytes) && table.u16(at) != 0) {
    const quint16 type = table.u16(at);
    const quint16 count = table.u16(at + 2);
    at += kNeTypeBytes;
    for (quint32 i = 0; i < count && table.has(at, kNeNameBytes); ++i, at += kNeNameBytes) {
      const quint64 offset = quint64(table.u16(at)) << shift;
      // The length counts whole alignment units, which the last resource may not fill.
      const quint64 length = std::min(quint64(table.u16(at + 2)) << shift, offset < fileSize ? fileSize - offset : 0);
      const quint16 id = table.u16(at + 6);
      if (length == 0) continue;
      if (type == (kNeIntegerId | kGroupIconType)) out.groups.push_back({offset, length});
      if (type == (kNeIntegerId | kIconType) && (id & kNeIntegerId) && !out.images.contains(id & ~kNeIntegerId))
        out.images.insert(id & ~kNeIntegerId, {offset, length});
    }
  }
}

// ---- Groups ----

struct GroupEntry {
  int width;
  int height;
  int bitCount;
  quint16 imageId;
};

bool isIconGroup(QIODevice& file, Location where) {
  const Fields head = readAt(file, where.offset, kGroupHeaderBytes);
  const quint16 count = head.u16(4);
  return head.has(0, kGroupHeaderBytes) && head.u16(0) == 0 && head.u16(2) == kGroupOfIcons && count > 0 &&
         kGroupHeaderBytes + quint64(count) * kGroupEntryBytes <= where.size;
}

std::vector<GroupEntry> readGroup(QIODevice& file, Location where) {
  const Fields group = readAt(file, where);
  const quint16 count = group.u16(4);
  std::vector<GroupEntry> entries;
  if (!group.has(kGroupHeaderBytes, quint64(count) * kGroupEntryBytes)) return entries;
  for (quint32 i = 0; i < count; ++i) {
    const quint64 e = kGroupHeaderBytes + quint64(i) * kGroupEntryBytes;
    const auto side = [](quint8 stored) { return stored == 0 ? 256 : int(stored); };
    entries.push_back({side(group.u8(e)), side(group.u8(e + 1)), group.u16(e + 6), group.u16(e + 12)});
  }
  return entries;
}

// The entry to draw: the nearest 32 x 32, then the larger, then the deeper, then the first.
bool drawnBefore(const GroupEntry& a, const GroupEntry& b) {
  const auto distance = [](const GroupEntry& e) { return std::abs(e.width - kWantedSide) + std::abs(e.height - kWantedSide); };
  if (distance(a) != distance(b)) return distance(a) < distance(b);
  if (a.width * a.height != b.width * b.height) return a.width * a.height > b.width * b.height;
  return a.bitCount > b.bitCount;
}

// ---- Images ----

// Decoded pixels as ARGB. Blending images carry real alpha; the others carry their AND mask as
// alpha 0 (mask set) or 255, with the colour to XOR over the background where the mask is set.
struct DecodedIcon {
  QImage pixels;
  bool blends;
};

std::optional<DecodedIcon> decodePng(const QByteArray& bytes) {
  const QSize size = pngHeaderSize(bytes);
  if (size.isEmpty() || size.width() > kMaxIconSide || size.height() > kMaxIconSide) return std::nullopt;
  const QImage image = ::decodePng(bytes);
  if (image.isNull()) return std::nullopt;
  return DecodedIcon{image.convertToFormat(QImage::Format_ARGB32), true};
}

class BitmapRows {
 public:
  BitmapRows(const Fields& data, quint64 firstRowAt, int width, int height, int bits)
      : data_(data), firstRowAt_(firstRowAt), height_(height), bits_(bits),
        stride_((quint64(width) * bits + 31) / 32 * 4) {}
  quint64 bytes() const { return stride_ * quint64(height_); }
  // Sample x of row y counted from the top (rows are stored bottom up).
  quint32 sample(int x, int y) const {
    const quint64 row = firstRowAt_ + stride_ * quint64(height_ - 1 - y);
    if (bits_ > 8) return data_.u32(row + quint64(x) * (bits_ / 8));
    const quint64 bit = quint64(x) * bits_;
    const int shift = 8 - bits_ - int(bit % 8);
    return (data_.u8(row + bit / 8) >> shift) & ((1u << bits_) - 1);
  }

 private:
  const Fields& data_;
  quint64 firstRowAt_;
  int height_;
  int bits_;
  quint64 stride_;
};

bool isIconBitDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32; }

// A BMP-in-ICO image: header, palette, colour rows, then the 1-bit AND mask, both bottom up;
// the header's height covers both.
std::optional<DecodedIcon> decodeBitmap(const Fields& data) {
  const quint32 headerSize = data.u32(0);
  const qint32 width = data.i32(4);
  const qint32 height = data.i32(8) / 2;
  const int bits = data.u16(14);
  const quint32 storedColours = data.u32(32);
  if (headerSize < kBitmapHeaderMinBytes || data.u32(16) != kBitmapUncompressed || !isIconBitDepth(bits) ||
      width < 1 || width > kMaxIconSide || height < 1 || height > kMaxIconSide || storedColours > kMaxPaletteColours)
    return std::nullopt;
  const quint32 paletteSize = storedColours ? storedColours : bits <= 8 ? 1u << bits : 0;
  const quint64 colourAt = quint64(headerSize) + 4ull * paletteSize;
  const BitmapRows colours(data, colourAt, width, height, bits);
  const BitmapRows mask(data, colourAt + colours.bytes(), width, height, 1);
  if (!data.has(colourAt, colours.bytes() + mask.bytes())) return std::nullopt;

  const auto paletteColour = [&](quint32 index) {
    return index < paletteSize ? data.u32(headerSize + 4ull * index) & RGB_MASK : 0u;
  };
  QImage pixels(width, height, QImage::Format_ARGB32);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const quint32 sample = colours.sample(x, y);
      row[x] = bits <= 8 ? paletteColour(sample) : bits == 24 ? sample & RGB_MASK : sample;
      anyAlpha = anyAlpha || (bits == 32 && qAlpha(row[x]) != 0);
    }
  }
  // A 32-bit image whose alpha is all zero is drawn through its mask, as on Windows.
  if (anyAlpha) return DecodedIcon{pixels, true};
  for (int y = 0; y < height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
    for (int x = 0; x < width; ++x) row[x] = (row[x] & RGB_MASK) | (mask.sample(x, y) ? 0 : ~RGB_MASK);
  }
  return DecodedIcon{pixels, false};
}

std::optional<DecodedIcon> decodeIcon(const Fields& data) {
  static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
  return data.bytes().startsWith(pngSignature) ? decodePng(data.bytes()) : decodeBitmap(data);
}

QRgb blend(QRgb over, QRgb under) {
  const int a = qAlpha(over);
  const auto mix = [a](int o, int u) { return (o * a + u * (255 - a) + 127) / 255; };
  return qRgb(mix(qRed(over), qRed(under)), mix(qGreen(over), qGreen(under)), mix(qBlue(over), qBlue(under)));
}

QImage drawScaled(const DecodedIcon& icon, QRgb background) {
  const QImage& source = icon.pixels;
  QImage drawn(ExeIcons::DrawnSide, ExeIcons::DrawnSide, QImage::Format_RGB32);
  for (int y = 0; y < ExeIcons::DrawnSide; ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(y * source.height() / ExeIcons::DrawnSide));
    QRgb* to = reinterpret_cast<QRgb*>(drawn.scanLine(y));
    for (int x = 0; x < ExeIcons::DrawnSide; ++x) {
      const QRgb s = from[x * source.width() / ExeIcons::DrawnSide];
      const QRgb masked = qAlpha(s) ? 0 : background;
      to[x] = icon.blends ? blend(s, background) : ~RGB_MASK | ((masked ^ s) & RGB_MASK);
    }
  }
  return drawn;
}

}  // namespace

ExeIcons::ExeIcons(std::unique_ptr<ExeIconResources> resources) : resources_(std::move(resources)) {
  QIODevice& file = *resources_->file;
  if (!file.isOpen()) return;
  const Fields mz = readAt(file, 0, kMzNewHeaderAt + 4);
  if (mz.u16(0) != kMzSignature) return;
  const quint32 newHeaderAt = mz.u32(kMzNewHeaderAt);
  const quint16 signature = readAt(file, newHeaderAt, 2).u16(0);
  ExeIconResources found;
  if (signature == quint16(kPeSignature)) readPe(file, newHeaderAt, found);
  if (signature == kNeSignature) readNe(file, newHeaderAt, found);
  for (const Location& group : found.groups)
    if (isIconGroup(file, group)) resources_->groups.push_back(group);
  resources_->images = std::move(found.images);
}

ExeIcons ExeIcons::fromFile(const QString& path) {
  auto resources = std::make_unique<ExeIconResources>();
  auto file = std::make_unique<QFile>(path);
  // Opening a FIFO would wait for a writer for good, and a device might never end: only a
  // regular file is read, anything else has no icons.
  if (QFileInfo(path).isFile()) file->open(QIODevice::ReadOnly);
  resources->file = std::move(file);
  return ExeIcons(std::move(resources));
}

ExeIcons ExeIcons::fromBytes(const QByteArray& bytes) {
  auto resources = std::make_unique<ExeIconResources>();
  auto buffer = std::make_unique<QBuffer>();
  buffer->setData(bytes);
  buffer->open(QIODevice::ReadOnly);
  resources->file = std::move(buffer);
  return ExeIcons(std::move(resources));
}

ExeIcons::ExeIcons(ExeIcons&&) noexcept = default;
ExeIcons& ExeIcons::operator=(ExeIcons&&) noexcept = default;
ExeIcons::~ExeIcons() = default;

int ExeIcons::count() const { return int(resources_->groups.size()); }

QImage ExeIcons::icon(int index, long background) const {
  if (index < 0 || index >= count()) return {};
  QIODevice& file = *resources_->file;
  std::vector<GroupEntry> entries = readGroup(file, resources_->groups[size_t(index)]);
  std::erase_if(entries, [this](const GroupEntry& e) { return !resources_->images.contains(e.imageId); });
  if (entries.empty()) return {};
  const GroupEntry& chosen = *std::min_element(entries.begin(), entries.end(), drawnBefore);
  const std::optional<DecodedIcon> decoded = decodeIcon(readAt(file, resources_->images.value(chosen.imageId)));
  return decoded ? drawScaled(*decoded, colour::toQRgb(background)) : QImage();
}

}  // namespace platform
