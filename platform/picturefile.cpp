#include "platform/picturefile.h"

#include <Magick++.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/childprocess.h"
#include "platform/picturewalks.h"
#include "platform/pngread.h"
#include "platform/wholefile.h"

// Pictures cross between Qt and GraphicsMagick as B, G, R, A bytes, which is a QRgb in memory
// only on a little-endian machine.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);

namespace {

using namespace picturewalks;

constexpr const char* EmfConverter = "emf2svg-conv";

// A file is read whole before it is decoded; no picture within the pixel limits comes near this.
constexpr qint64 MaxPictureFileBytes = qint64(512) << 20;

// Every scan of a progressive JPEG passes over the coefficients of the whole picture again, some
// 55 ms a scan at the pixel limit here, so a file that repeats a small scan costs minutes. Real
// files have at most a few dozen scans (libjpeg's progression: 10 for colour, 18 for CMYK); the
// scans a picture may have shrink with its size so that no read passes about two seconds. An
// arithmetic-coded scan, and the data of a Huffman-coded one, count as more passes
// (picturewalks.cpp).
constexpr int MaxJpegScans = 100;
constexpr qint64 MaxJpegScanPixels = 24 * MaxPicturePixels;

// Metafiles are drawn by a helper program under these limits: their libraries follow the
// drawing's orders without bound (a pen as wide as the page, a million lines, an SVG of hundreds
// of megabytes). The memory allows the largest picture at GraphicsMagick's 8 bytes a pixel, its
// RGB32 copy and the libraries.
constexpr std::chrono::milliseconds MetafileTimeLimit{10'000};
constexpr int MetafileCpuSeconds = 10;
constexpr qint64 MetafileMemoryBytes = qint64(2048) << 20;
constexpr int MetafileThreads = 4;
constexpr qint64 MaxSvgBytes = qint64(32) << 20;
constexpr const char* MetafileHelper = "marvane-metafile";
// The helper's exit code for a refusal: this plus the fault's number.
constexpr int HelperRefusal = 100;

enum class Fault {
  None, Unreadable, Empty, NotPicture, Truncated, TooLarge, NoPixels, Damaged, NoConverter, NotRegularFile,
  FileTooLarge, NoHelper, TooSlow, NoMemory, DrawingTooLarge, TooManyScans, TooCostly, Last = TooCostly
};

// What a reason names besides the file.
struct Found {
  QSize size;
  int scans = 0;
};

QString describe(Fault fault, const QString& path, const Found& found) {
  const QSize size = found.size;
  const QString name = QFileInfo(path).fileName();
  const QString dimensions = QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height());
  switch (fault) {
    case Fault::Unreadable: return name + QStringLiteral(": cannot be read");
    case Fault::Empty: return name + QStringLiteral(": empty file");
    case Fault::NotPicture: return name + QStringLiteral(": not a picture");
    case Fault::Truncated: return name + QStringLiteral(": truncated");
    case Fault::TooLarge: return name + QStringLiteral(": too large (") + dimensions + QLatin1Char(')');
    case Fault::NoPixels: return name + QStringLiteral(": no pixels (") + dimensions + QLatin1Char(')');
    case Fault::Damaged: return name + QStringLiteral(": damaged");
    case Fault::NoConverter: return name + QStringLiteral(": emf2svg-conv is not installed");
    case Fault::NotRegularFile: return name + QStringLiteral(": not a regular file");
    case Fault::FileTooLarge: return name + QStringLiteral(": file too large (over %1 MB)").arg(MaxPictureFileBytes >> 20);
    case Fault::NoHelper: return name + QStringLiteral(": ") + QLatin1String(MetafileHelper) + QStringLiteral(" is missing");
    case Fault::TooSlow: return name + QStringLiteral(": took too long to draw");
    case Fault::NoMemory: return name + QStringLiteral(": not enough memory to read");
    case Fault::DrawingTooLarge: return name + QStringLiteral(": drawing too large (over %1 MB as SVG)").arg(MaxSvgBytes >> 20);
    case Fault::TooManyScans: return name + QStringLiteral(": too many scans (%1)").arg(found.scans);
    case Fault::TooCostly: return name + QStringLiteral(": too costly to decode (") + dimensions + QLatin1Char(')');
    case Fault::None: break;
  }
  return {};
}

Fault checkSize(QSize size) {
  if (size.width() <= 0 || size.height() <= 0) return Fault::NoPixels;
  if (beyondPictureLimits(size)) return Fault::TooLarge;
  return Fault::None;
}

// ---------------------------------------------------------------- recognising the format

enum class Kind { Unknown, Bmp, PackedDib, Jpeg, Png, Gif, Tiff, Icon, Pcx, Tga, Wmf, Emf };

// ICO and CUR have a weak magic that TGA headers share: ask for a directory that makes sense.
bool isIconDirectory(const Bytes& b) {
  const quint32 type = b.le16(2);
  const quint32 count = b.le16(4);
  if (b.le16(0) != 0 || (type != 1 && type != 2) || count == 0 || !b.has(6, 16 * qint64(count))) return false;
  const quint32 directoryEnd = 6 + 16 * count;
  for (quint32 i = 0; i < count; ++i) {
    const qint64 entry = 6 + 16 * qint64(i);
    if (b.at(entry + 3) != 0 || b.le32(entry + 8) == 0 || b.le32(entry + 12) < directoryEnd) return false;
  }
  return true;
}

// A packed DIB has no magic: only a bitmap info header that makes sense identifies it.
bool isPackedDib(const Bytes& b) {
  switch (b.le32(0)) {
    case 12: return b.le16(8) == 1 && QList<quint32>{1, 4, 8, 24}.contains(b.le16(10));
    case 40: case 52: case 56: case 108: case 124:
      return b.le16(12) == 1 && QList<quint32>{1, 4, 8, 16, 24, 32}.contains(b.le16(14)) && b.le32(16) <= 6;
    default: return false;
  }
}

// TGA has no magic either; its header must describe an image type that exists.
bool isTgaHeader(const Bytes& b) {
  if (!b.has(0, 18)) return false;
  const quint32 colourMapType = b.at(1);
  const quint32 imageType = b.at(2);
  const bool mapped = imageType == 1 || imageType == 9;
  const bool known = mapped || imageType == 2 || imageType == 3 || imageType == 10 || imageType == 11;
  return known && colourMapType == (mapped ? 1u : 0u) && QList<quint32>{8, 15, 16, 24, 32}.contains(b.at(16));
}

Kind sniff(const Bytes& b) {
  if (b.startsWith("BM")) return Kind::Bmp;
  if (b.at(0) == 0xFF && b.at(1) == 0xD8 && b.at(2) == 0xFF) return Kind::Jpeg;
  if (b.startsWith(PngSignature)) return Kind::Png;
  if (b.startsWith("GIF87a") || b.startsWith("GIF89a")) return Kind::Gif;
  if (b.has(0, 4) && (std::memcmp(b.data, "II*\0", 4) == 0 || std::memcmp(b.data, "MM\0*", 4) == 0)) return Kind::Tiff;
  if (b.le32(0) == 0x9AC6CDD7 || ((b.le16(0) == 1 || b.le16(0) == 2) && b.le16(2) == 9 && b.le16(4) == 0x300))
    return Kind::Wmf;
  if (b.le32(0) == 1 && b.has(40, 4) && std::memcmp(b.data + 40, " EMF", 4) == 0) return Kind::Emf;
  if (isIconDirectory(b)) return Kind::Icon;
  if (b.at(0) == 0x0A && b.at(1) <= 5 && b.at(2) <= 1 && QList<quint32>{1, 2, 4, 8}.contains(b.at(3)) && b.has(0, 128))
    return Kind::Pcx;
  if (isPackedDib(b)) return Kind::PackedDib;
  if (isTgaHeader(b)) return Kind::Tga;
  return Kind::Unknown;
}

// ---------------------------------------------------------------- decoders

QImage toRgb32(QImage image) {
  if (image.hasAlphaChannel()) image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return std::move(image).convertToFormat(QImage::Format_RGB32);
}

// A JPEG decodes at 1/2, 1/4 or 1/8 of its size almost for free: the smallest that still covers
// `atLeast`.
QSize reducedJpegSize(QSize full, QSize atLeast) {
  for (int denominator : {8, 4, 2}) {
    const QSize reduced((full.width() + denominator - 1) / denominator, (full.height() + denominator - 1) / denominator);
    if (reduced.width() >= atLeast.width() && reduced.height() >= atLeast.height()) return reduced;
  }
  return full;
}

// Qt refuses any picture above its own allocation limit (128 MB by default, some 33 megapixels)
// as a plain read error. Once the size is checked against ours, Qt may allocate that picture in
// its widest pixel format (16 bytes, floating-point RGBA) while it decodes, and no more.
class QtAllocationLimit {
 public:
  explicit QtAllocationLimit(QSize checked) : saved_(QImageReader::allocationLimit()) {
    constexpr qint64 WidestPixelBytes = 16;
    const qint64 bytes = qint64(checked.width()) * checked.height() * WidestPixelBytes;
    QImageReader::setAllocationLimit(int((bytes >> 20) + 1));
  }
  ~QtAllocationLimit() { QImageReader::setAllocationLimit(saved_); }
  QtAllocationLimit(const QtAllocationLimit&) = delete;
  QtAllocationLimit& operator=(const QtAllocationLimit&) = delete;

 private:
  const int saved_;
};

const char* qtFormat(Kind kind) {
  switch (kind) {
    case Kind::Bmp: case Kind::PackedDib: return "bmp";
    case Kind::Jpeg: return "jpeg";
    case Kind::Png: return "png";
    case Kind::Gif: return "gif";
    case Kind::Tiff: return "tiff";
    case Kind::Icon: return "ico";
    default: return nullptr;
  }
}

// The first image of an icon file, as far as the file holds it.
Bytes firstIconImageBytes(const Bytes& b) {
  const qint64 start = qMin<qint64>(b.le32(18), b.size);
  return {b.data + start, qMin<qint64>(b.le32(14), b.size - start)};
}

// The size the decoder allocates, or walks. Qt reports a GIF's first frame but draws it on the
// logical screen of the GIF's header, which may be far larger, and walks every pixel of the frame,
// on the screen or not.
QSize decodedSize(const Bytes& b, Kind kind, QSize reported) {
  if (kind != Kind::Gif) return reported;
  return reported.expandedTo(QSize(int(b.le16(6)), int(b.le16(8)))).expandedTo(gifFrameSize(b));
}

// Qt decodes the first image of an icon, and only that: an icon of that image alone, placed
// right after the one-entry directory, the part of it that the file holds. Sharing or overlapping
// images thus never cost more than one copy.
QByteArray firstIconImage(const Bytes& b) {
  const QByteArray image = firstIconImageBytes(b).raw();
  constexpr int DirectoryBytes = 6 + 16;
  QByteArray icon(reinterpret_cast<const char*>(b.data), DirectoryBytes);
  qToLittleEndian<quint16>(1, icon.data() + 4);
  qToLittleEndian<quint32>(quint32(image.size()), icon.data() + 14);
  qToLittleEndian<quint32>(DirectoryBytes, icon.data() + 18);
  return icon + image;
}

// A packed DIB is a BMP file without its file header, which Qt's decoder needs. (GraphicsMagick's
// reader knows no core header, reads 32-bit pixels as black and, after one such, 24-bit ones too.)
QByteArray bmpOfPackedDib(const Bytes& b) {
  constexpr qint64 FileHeaderBytes = 14;
  const qint64 pixelsAt = FileHeaderBytes + qMin(colourTableEnd(b, 0), b.size);  // beyond the end: cut short
  QByteArray bmp("BM", 2);
  for (const qint64 field : {FileHeaderBytes + b.size, qint64(0), pixelsAt}) {
    bmp.resize(bmp.size() + 4);
    qToLittleEndian<quint32>(quint32(field), bmp.end() - 4);
  }
  return bmp.append(reinterpret_cast<const char*>(b.data), b.size);
}

// The bytes Qt's decoder reads the header from: not the JPEG segments it would keep past the
// first few hundred.
QByteArray headerInput(const Bytes& b, Kind kind, const JpegLayout& jpeg) {
  switch (kind) {
    case Kind::Jpeg: return withCuts(b.raw(), jpeg.dropped);
    case Kind::Icon: return firstIconImage(b);
    case Kind::PackedDib: return bmpOfPackedDib(b);
    default: return b.raw();
  }
}

// What Qt's decoder decodes of `input`: not the GIF codes past the first frame's pixels either.
// Finding them walks every code, which a file of megabytes makes cost far more than reading the
// header, so only a picture whose size is allowed is walked.
QByteArray decoderInput(const Bytes& b, Kind kind, QByteArray input) {
  const std::optional<Cut> cut = kind == Kind::Gif ? gifFrameCut(b) : std::nullopt;
  return cut ? withCuts(input, {*cut}) : input;
}

// The size Qt's decoder reads from the header in `input`; invalid for a header it cannot read.
QSize reportedSize(QByteArray input, Kind kind) {
  QBuffer buffer(&input);
  buffer.open(QIODevice::ReadOnly);
  return QImageReader(&buffer, qtFormat(kind)).size();
}

// Whether the file holds the whole picture; a bitmap's header tells that itself.
bool holdsWholePicture(const Bytes& b, Kind kind, const JpegLayout& jpeg) {
  switch (kind) {
    case Kind::Jpeg: return jpeg.complete;
    case Kind::Gif: return gifComplete(b);
    case Kind::Icon: return iconComplete(b);
    default: return true;
  }
}

// The scans of a JPEG file or of the strips of a JPEG-compressed TIFF; none for a TIFF no
// decoder could read in its time.
std::optional<JpegScans> jpegScans(const Bytes& b, Kind kind, QSize size, const JpegLayout& jpeg) {
  if (kind == Kind::Tiff) return tiffJpegScans(b, size);
  JpegScans scans;
  if (kind == Kind::Jpeg) scans.add(jpeg, qint64(size.width()) * size.height());
  return scans;
}

// What decoding costs beyond the picture's size: passes over it in JPEG scans (and the segments
// read on their own).
Fault decodingCost(const Bytes& b, Kind kind, QSize size, const JpegLayout& jpeg, Found* found) {
  const std::optional<JpegScans> scans = jpegScans(b, kind, size, jpeg);
  if (!scans || scans->segments > MaxJpegSegments) return Fault::Damaged;
  found->scans = scans->total;
  // Within the count, what a scan costs grows with the picture and, arithmetic-coded, with its
  // band of coefficients: a file of one scan can be too costly at its size.
  if (scans->most > MaxJpegScans) return Fault::TooManyScans;
  if (scans->passedPixels > MaxJpegScanPixels) return Fault::TooCostly;
  return Fault::None;
}

// Decodes `data` of the checked `size`; a JPEG at a reduced scale that covers `atLeast` when valid.
Fault decodeWithQt(QByteArray data, Kind kind, QSize size, QSize atLeast, QImage* out) {
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, qtFormat(kind));
  if (kind == Kind::Jpeg && atLeast.isValid()) reader.setScaledSize(reducedJpegSize(size, atLeast));
  const QtAllocationLimit allowed(size);
  QImage image;
  if (!reader.read(&image)) return Fault::Damaged;
  *out = toRgb32(std::move(image));
  return Fault::None;
}

Fault readWithQt(const Bytes& b, Kind kind, QSize atLeast, QImage* out, Found* found) {
  // The JPEG is walked before the decoder reads even its header, which keeps comments.
  const JpegLayout jpeg = kind == Kind::Jpeg ? jpegLayout(b) : JpegLayout{};
  const QByteArray input = headerInput(b, kind, jpeg);
  QSize& size = found->size;
  bool complete = true;
  if (kind == Kind::Bmp || kind == Kind::PackedDib) {
    const std::optional<DibHeader> header = kind == Kind::PackedDib ? readDibHeader(b, 0, std::nullopt)
                                            : b.has(0, 18)        ? readDibHeader(b, 14, b.le32(10))
                                                                  : std::nullopt;
    if (!header) return Fault::Truncated;
    size = header->size;
    complete = header->complete;
  } else {
    const QSize reported = reportedSize(input, kind);
    if (!reported.isValid()) return Fault::Damaged;
    size = decodedSize(b, kind, reported);
  }
  if (const Fault f = checkSize(size); f != Fault::None) return f;
  if (!complete || !holdsWholePicture(b, kind, jpeg)) return Fault::Truncated;
  if (const Fault f = decodingCost(b, kind, size, jpeg, found); f != Fault::None) return f;
  return decodeWithQt(decoderInput(b, kind, input), kind, size, atLeast, out);
}

// A PNG, alone or as an icon's first image (whose size it gives, whatever the icon's directory
// says), is read by Marvane's PNG reader, which stops at the picture's end. Whether `file` holds
// it whole is asked only once its size is allowed: finding out walks the file.
Fault readPng(const Bytes& png, const Bytes& file, bool (*whole)(const Bytes&), QImage* out, Found* found) {
  const QByteArrayView bytes(png.data, png.size);
  found->size = pngHeaderSize(bytes);
  if (!found->size.isValid()) return Fault::Damaged;
  if (const Fault f = checkSize(found->size); f != Fault::None) return f;
  if (!whole(file)) return Fault::Truncated;
  QImage image = decodePng(bytes);
  if (image.isNull()) return Fault::Damaged;
  *out = toRgb32(std::move(image));
  return Fault::None;
}

// A picture of a format Qt knows: PNG pictures are read by Marvane's PNG reader, the others by Qt.
Fault readDecoded(const Bytes& b, Kind kind, QSize atLeast, QImage* out, Found* found) {
  const Bytes icon = kind == Kind::Icon ? firstIconImageBytes(b) : Bytes{};
  if (kind == Kind::Png) return readPng(b, b, pngComplete, out, found);
  if (icon.startsWith(PngSignature)) return readPng(icon, b, iconComplete, out, found);
  return readWithQt(b, kind, atLeast, out, found);
}

void initialiseGraphicsMagick() {
  static const bool initialised = [] {
    Magick::InitializeMagick(nullptr);
    return true;
  }();
  (void)initialised;
}

// Qt reports a failed allocation as a null picture.
QImage allocated(QImage picture) {
  if (picture.isNull()) throw std::bad_alloc();
  return picture;
}

QImage fromMagick(Magick::Image& image) {
  QImage out = allocated(QImage(int(image.columns()), int(image.rows()), QImage::Format_ARGB32));
  image.write(0, 0, image.columns(), image.rows(), "BGRA", Magick::CharPixel, out.bits());
  return allocated(toRgb32(std::move(out)));
}

// GraphicsMagick is told the format; it is never left to guess from the name (its "RLE" is not
// the Windows one). A warning counts as a failure: it means the picture is not whole.
Fault readWithMagick(const Bytes& b, Kind kind, QImage* out, QSize* size) {
  initialiseGraphicsMagick();
  const char* magick = kind == Kind::Pcx ? "PCX" : kind == Kind::Tga ? "TGA" : "WMF";
  try {
    const Magick::Blob blob(b.data, size_t(b.size));
    const auto prepared = [&] {
      Magick::Image image;
      image.magick(magick);
      image.density("96x96");  // a metafile is sized by its own units per inch at this density
      return image;
    };
    Magick::Image header = prepared();
    header.ping(blob);
    *size = QSize(int(qMin<size_t>(header.columns(), INT_MAX)), int(qMin<size_t>(header.rows(), INT_MAX)));
    if (const Fault f = checkSize(*size); f != Fault::None) return f;
    Magick::Image image = prepared();
    image.read(blob);
    *out = fromMagick(image);
    return Fault::None;
  } catch (const Magick::ErrorResourceLimit&) {
    return Fault::NoMemory;
  } catch (const std::bad_alloc&) {
    return Fault::NoMemory;
  } catch (const Magick::Exception&) {
    return Fault::Damaged;
  }
}

// ---------------------------------------------------------------- metafiles, in the helper

// The wall clock, or the processor time: its soft limit signals, its hard limit a second later
// kills.
bool outOfTime(const platform::ChildOutcome& outcome) {
  using End = platform::ChildOutcome::End;
  return outcome.end == End::TimedOut ||
         (outcome.end == End::Signalled && (outcome.code == SIGXCPU || outcome.code == SIGKILL));
}

// EMF is converted to SVG by a separate program (its library clashes with GraphicsMagick's WMF
// reader). It reads the EMF from a pipe and writes the SVG into one, so that it leaves no file
// behind when this helper is stopped for its time: a stopped process removes nothing. The SVG is
// bounded, as the drawing of a huge one is.
Fault drawEmf(const QByteArray& bytes, QImage* out, QSize* size) {
  const QString converter = QStandardPaths::findExecutable(QString::fromLatin1(EmfConverter));
  if (converter.isEmpty()) return Fault::NoConverter;
  QByteArray svgBytes;
  const platform::ChildOutcome converted = platform::runLimited(
      converter, {QStringLiteral("-i"), QStringLiteral("/dev/stdin"), QStringLiteral("-o"), QStringLiteral("/dev/stdout")},
      bytes, {MetafileTimeLimit, MetafileCpuSeconds}, [&](QByteArrayView piece) {
        if (piece.size() > MaxSvgBytes - svgBytes.size()) return false;
        svgBytes.append(piece);
        return true;
      });
  using End = platform::ChildOutcome::End;
  if (converted.end == End::NotStarted) return Fault::NoConverter;
  if (outOfTime(converted)) return Fault::TooSlow;
  if (converted.end == End::OutputRefused) return Fault::DrawingTooLarge;
  if (converted.end != End::Exited || converted.code != 0) return Fault::Damaged;
  QSvgRenderer svg(svgBytes);
  if (!svg.isValid()) return Fault::Damaged;
  *size = svg.defaultSize();
  if (const Fault f = checkSize(*size); f != Fault::None) return f;
  QImage image = allocated(QImage(*size, QImage::Format_RGB32));
  image.fill(Qt::white);
  QPainter painter(&image);
  svg.render(&painter);
  painter.end();
  *out = image;
  return Fault::None;
}

Fault drawMetafile(const QByteArray& bytes, QImage* out, QSize* size) {
  const Bytes b = Bytes::of(bytes);
  try {
    switch (sniff(b)) {
      case Kind::Wmf: return readWithMagick(b, Kind::Wmf, out, size);
      case Kind::Emf: return drawEmf(bytes, out, size);
      default: return Fault::NotPicture;
    }
  } catch (const std::bad_alloc&) {
    return Fault::NoMemory;
  }
}

// ---------------------------------------------------------------- metafiles, from the reader

// The helper lies beside the program; tests and fuzzers, built elsewhere, name it in the
// environment.
QString metafileHelper() {
  const QString named = qEnvironmentVariable("MARVANE_METAFILE_HELPER");
  if (!named.isEmpty()) return named;
  return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(MetafileHelper);
}

// The helper's answer: the size, then the rows, straight into the picture as they arrive.
class HelperAnswer {
 public:
  bool take(QByteArrayView piece) {
    const qsizetype wanted = qsizetype(sizeof sides_) - header_;
    const qsizetype headerPart = qMin(wanted, piece.size());
    std::memcpy(reinterpret_cast<char*>(sides_) + header_, piece.data(), size_t(headerPart));
    header_ += headerPart;
    piece = piece.sliced(headerPart);
    if (piece.isEmpty()) return true;
    if (picture_.isNull() && !allocate()) return false;
    if (piece.size() > picture_.sizeInBytes() - filled_) return false;
    std::memcpy(picture_.bits() + filled_, piece.data(), size_t(piece.size()));
    filled_ += piece.size();
    return true;
  }
  QSize size() const { return header_ == sizeof sides_ ? QSize(sides_[0], sides_[1]) : QSize(); }
  bool complete() const { return !picture_.isNull() && filled_ == picture_.sizeInBytes(); }
  const QImage& picture() const { return picture_; }

 private:
  bool allocate() {
    if (checkSize(size()) != Fault::None) return false;
    picture_ = QImage(size(), QImage::Format_RGB32);
    return !picture_.isNull();
  }

  qint32 sides_[2] = {0, 0};
  qsizetype header_ = 0;
  QImage picture_;
  qsizetype filled_ = 0;
};

Fault faultOf(const platform::ChildOutcome& outcome, bool complete) {
  using End = platform::ChildOutcome::End;
  if (outcome.end == End::NotStarted) return Fault::NoHelper;
  if (outOfTime(outcome)) return Fault::TooSlow;
  if (outcome.end != End::Exited) return Fault::Damaged;
  if (outcome.code == 0) return complete ? Fault::None : Fault::Damaged;
  const int refusal = outcome.code - HelperRefusal;
  return refusal > 0 && refusal <= int(Fault::Last) ? Fault(refusal) : Fault::Damaged;
}

Fault readMetafile(const QByteArray& bytes, QImage* out, QSize* size) {
  const QString helper = metafileHelper();
  if (!QFileInfo(helper).isExecutable()) return Fault::NoHelper;
  HelperAnswer answer;
  const platform::ChildOutcome outcome =
      platform::runLimited(helper, {}, bytes, {MetafileTimeLimit, MetafileCpuSeconds, MetafileMemoryBytes},
                           [&](QByteArrayView piece) { return answer.take(piece); });
  *size = answer.size();
  const Fault fault = faultOf(outcome, answer.complete());
  if (fault == Fault::None) *out = answer.picture();
  return fault;
}

// ---------------------------------------------------------------- the file

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// The file's bytes, read once: the decoders work on this copy, so a file another program
// rewrites meanwhile reads at worst as damaged. Only a regular file is read: a FIFO would block
// the reader for good and a device never end. Resources built into the program are read as they
// are.
Fault readFileBytes(const QString& path, QByteArray* bytes) {
  if (path.startsWith(QLatin1Char(':'))) {
    QFile resource(path);
    if (!resource.open(QIODevice::ReadOnly)) return Fault::Unreadable;
    *bytes = resource.readAll();
    return bytes->isEmpty() ? Fault::Empty : Fault::None;
  }
  const Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  struct stat status;
  if (file.fd < 0 || ::fstat(file.fd, &status) != 0) return Fault::Unreadable;
  if (!S_ISREG(status.st_mode)) return Fault::NotRegularFile;
  if (status.st_size > MaxPictureFileBytes) return Fault::FileTooLarge;
  bytes->resize(qsizetype(status.st_size));
  qsizetype got = 0;
  while (got < bytes->size()) {
    const ssize_t n = ::read(file.fd, bytes->data() + got, size_t(bytes->size() - got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fault::Unreadable;
    if (n == 0) break;  // cut short since fstat
    got += n;
  }
  bytes->truncate(got);
  return got == 0 ? Fault::Empty : Fault::None;
}

Fault readPicture(const QString& path, QSize atLeast, QImage* out, Found* found) {
  QByteArray data;
  if (const Fault f = readFileBytes(path, &data); f != Fault::None) return f;
  const Bytes bytes = Bytes::of(data);
  switch (const Kind kind = sniff(bytes)) {
    case Kind::Unknown: return Fault::NotPicture;
    case Kind::Wmf: case Kind::Emf: return readMetafile(data, out, &found->size);
    case Kind::Pcx: case Kind::Tga: return readWithMagick(bytes, kind, out, &found->size);
    default: return readDecoded(bytes, kind, atLeast, out, found);
  }
}

// ---------------------------------------------------------------- writers

bool encodeWithQt(const QImage& picture, PictureFormat format, int jpegQuality, QByteArray* bytes) {
  QBuffer buffer(bytes);
  buffer.open(QIODevice::WriteOnly);
  const char* name = format == PictureFormat::Png ? "png" : format == PictureFormat::Tiff ? "tiff"
                     : format == PictureFormat::Jpeg ? "jpeg" : "bmp";
  QImageWriter writer(&buffer, name);
  if (format == PictureFormat::Jpeg) writer.setQuality(jpegQuality);
  return writer.write(picture);
}

bool encodeWithMagick(const QImage& picture, PictureFormat format, QByteArray* bytes) {
  initialiseGraphicsMagick();
  try {
    Magick::Image image(picture.width(), picture.height(), "BGRA", Magick::CharPixel, picture.constBits());
    image.matte(false);
    image.depth(8);
    if (format != PictureFormat::Gif) image.type(Magick::TrueColorType);
    image.magick(format == PictureFormat::Tga ? "TGA" : format == PictureFormat::Pcx ? "PCX" : "GIF");
    Magick::Blob blob;
    image.write(&blob);
    *bytes = QByteArray(static_cast<const char*>(blob.data()), qsizetype(blob.length()));
    return true;
  } catch (const Magick::Exception&) {
    return false;
  }
}

}  // namespace

bool readPictureFile(const QString& path, QImage* picture, QString* reason, QSize atLeast) {
  QImage image;
  Found found;
  const Fault fault = readPicture(path, atLeast, &image, &found);
  if (fault != Fault::None) {
    if (reason) *reason = describe(fault, path, found);
    return false;
  }
  *picture = std::move(image);
  return true;
}

QImage decodeOfferedPicture(const QByteArray& bytes) {
  const Bytes b = Bytes::of(bytes);
  const Kind kind = sniff(b);
  QImage picture;
  Found found;
  if (!qtFormat(kind) || readDecoded(b, kind, QSize(), &picture, &found) != Fault::None) return {};
  return picture;
}

// The answer: the size when it is known (also for a refusal by size), the rows when drawn, and
// the exit code.
int drawMetafileOnStandardStreams() {
  // GraphicsMagick catches the CPU limit's signal and exits as if refusing: the reader must see
  // the signal to know why the drawing ended. Each thread of its own reserves address space.
  initialiseGraphicsMagick();
  std::signal(SIGXCPU, SIG_DFL);
  MagickLib::SetMagickResourceLimit(MagickLib::ThreadsResource, MetafileThreads);
  QFile input;
  input.open(stdin, QIODevice::ReadOnly);
  QImage picture;
  QSize size;
  const Fault fault = drawMetafile(input.readAll(), &picture, &size);
  const qint32 sides[2] = {size.width(), size.height()};
  if (size.isValid()) std::fwrite(sides, sizeof sides, 1, stdout);
  if (fault == Fault::None) std::fwrite(picture.constBits(), size_t(picture.sizeInBytes()), 1, stdout);
  std::fflush(stdout);
  return fault == Fault::None ? 0 : HelperRefusal + int(fault);
}

bool writePictureFile(const QString& path, const QImage& picture, PictureFormat format, int jpegQuality, QString* reason) {
  const QString name = QFileInfo(path).fileName();
  const auto fail = [&](const QString& why) {
    if (reason) *reason = why;
    return false;
  };
  if (format == PictureFormat::Fif) return fail(QStringLiteral("FIF pictures cannot be written."));
  if (picture.isNull()) return fail(name + QStringLiteral(": no picture to write"));
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  QByteArray bytes;
  const bool magick = format == PictureFormat::Tga || format == PictureFormat::Pcx || format == PictureFormat::Gif;
  if (!(magick ? encodeWithMagick(rgb, format, &bytes) : encodeWithQt(rgb, format, jpegQuality, &bytes)))
    return fail(name + QStringLiteral(": the picture could not be encoded"));
  QString why;
  if (!writeWholeFile(path, bytes, &why)) return fail(name + QStringLiteral(": cannot be written (") + why + QLatin1Char(')'));
  return true;
}
