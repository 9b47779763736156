#include "platform/pngread.h"

#include <climits>
#include <csetjmp>
#include <memory>
#include <png.h>

#include "platform/picturewalks.h"

// libpng's byte order transformations give Qt's pixel formats only on a little-endian machine.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);

namespace {

// The picture as its rows come in.
struct Decoding {
  QImage picture;
  uchar* rows = nullptr;
  qsizetype stride = 0;
  bool widening = false;  // rows of red, green and blue bytes, widened to RGB32 here
};

[[noreturn]] void onError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Asks libpng for what Qt's decoder asks of it, and gives the format Qt fills. Unlike Qt's, a
// 16-bit colour picture with a transparent colour has it made transparent: Qt's decoder lays
// that one's pixels out of step.
QImage::Format transform(png_structp png, png_infop info) {
  const int depth = png_get_bit_depth(png, info);
  const int type = png_get_color_type(png, info);
  const bool transparentColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_interlace_handling(png);
  if (type == PNG_COLOR_TYPE_PALETTE || (type == PNG_COLOR_TYPE_GRAY && (depth < 8 || transparentColour) && depth < 16)) {
    if (depth == 1) return QImage::Format_Mono;
    png_set_packing(png);
    return QImage::Format_Indexed8;
  }
  if (type == PNG_COLOR_TYPE_GRAY && !transparentColour)
    return depth == 16 ? (png_set_swap(png), QImage::Format_Grayscale16) : QImage::Format_Grayscale8;
  const bool alpha = (type & PNG_COLOR_MASK_ALPHA) || transparentColour;
  png_set_expand(png);
  if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  if (!alpha) png_set_filler(png, 0xFFFF, PNG_FILLER_AFTER);
  if (depth == 16) {
    png_set_swap(png);
    return alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64;
  }
  png_set_bgr(png);
  return alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

// An 8-bit colour picture without transparency, its rows in order: a photograph, most often. Its
// rows are widened here, at some 10% less of the whole read than libpng's filler and byte swap.
bool widenedHere(png_structp png, png_infop info) {
  return png_get_color_type(png, info) == PNG_COLOR_TYPE_RGB && png_get_bit_depth(png, info) == 8 &&
         !png_get_valid(png, info, PNG_INFO_tRNS) && png_get_interlace_type(png, info) == PNG_INTERLACE_NONE;
}

void widen(const uchar* rgb, QRgb* out, int width) {
  for (int x = 0; x < width; ++x, rgb += 3) out[x] = qRgb(rgb[0], rgb[1], rgb[2]);
}

// The colour table as Qt's decoder fills it: the palette with its transparency, or greys evenly
// spread, the transparent one without colour (black and white keep theirs). Asked before libpng
// counts the greys in the bytes it unpacks them to.
void setColours(png_structp png, png_infop info, QImage& picture) {
  if (picture.format() != QImage::Format_Mono && picture.format() != QImage::Format_Indexed8) return;
  png_bytep alphas = nullptr;
  int transparent = 0;
  png_color_16p transparentGrey = nullptr;
  png_get_tRNS(png, info, &alphas, &transparent, &transparentGrey);
  png_colorp palette = nullptr;
  int colours = 0;
  if (png_get_PLTE(png, info, &palette, &colours)) {
    picture.setColorCount(picture.format() == QImage::Format_Mono ? 2 : colours);
    for (int i = 0; i < qMin(colours, picture.colorCount()); ++i)
      picture.setColor(i, qRgba(palette[i].red, palette[i].green, palette[i].blue, i < transparent && alphas ? alphas[i] : 0xFF));
    return;
  }
  const int greys = 1 << qMin<int>(png_get_bit_depth(png, info), 8);
  picture.setColorCount(greys);
  for (int i = 0; i < greys; ++i) picture.setColor(i, qRgb(i * 255 / (greys - 1), i * 255 / (greys - 1), i * 255 / (greys - 1)));
  if (transparentGrey && transparentGrey->gray < greys)
    picture.setColor(transparentGrey->gray, greys == 2 ? picture.color(transparentGrey->gray) & RGB_MASK : 0);
}

// The picture is made once the header chunks are read. Nothing here may outlive a libpng error,
// which jumps past this frame.
void onInfo(png_structp png, png_infop info) {
  Decoding& d = *static_cast<Decoding*>(png_get_progressive_ptr(png));
  d.widening = widenedHere(png, info);
  const QImage::Format format = d.widening ? QImage::Format_RGB32 : transform(png, info);
  const QSize size(int(png_get_image_width(png, info)), int(png_get_image_height(png, info)));
  if (!picturewalks::beyondPictureLimits(size)) d.picture = QImage(size, format);
  if (d.picture.isNull()) png_error(png, "no picture of that size");
  setColours(png, info, d.picture);
  png_read_update_info(png, info);
  d.rows = d.picture.bits();
  d.stride = d.picture.bytesPerLine();
}

void onRow(png_structp png, png_bytep row, png_uint_32 y, int) {
  const Decoding& d = *static_cast<const Decoding*>(png_get_progressive_ptr(png));
  if (!row || y >= png_uint_32(d.picture.height())) return;
  uchar* line = d.rows + y * d.stride;
  if (d.widening) widen(row, reinterpret_cast<QRgb*>(line), d.picture.width());
  else png_progressive_combine_row(png, line, row);
}

// Past the last row libpng counts one row more than the picture has or, interlaced, an eighth pass.
bool allRowsRead(png_structp png, png_infop info) {
  return png_get_interlace_type(png, info) == PNG_INTERLACE_NONE
             ? png_get_current_row_number(png) >= png_get_image_height(png, info)
             : png_get_current_pass_number(png) >= 7;
}

// Qt's decoder draws indices past the palette in its first colour.
void clampIndices(QImage& picture) {
  const int colours = picture.colorCount();
  if (picture.format() != QImage::Format_Indexed8 || colours == 256) return;
  for (int y = 0; y < picture.height(); ++y) {
    uchar* row = picture.scanLine(y);
    for (int x = 0; x < picture.width(); ++x)
      if (row[x] >= colours) row[x] = 0;
  }
}

// Whether libpng reads every row of `png` into `d`; false when its error handler jumps back. The
// setjmp compared with a constant is the whole test of its if: anywhere else, C leaves what it
// gives undefined.
bool readAllRows(png_structp reader, png_infop info, QByteArrayView png, Decoding* d) {
  if (setjmp(png_jmpbuf(reader)) != 0) return false;
  // As Qt's decoder: a stream reaching further back than its window says is read all the same.
  png_set_option(reader, PNG_MAXIMUM_INFLATE_WINDOW, PNG_OPTION_ON);
  // A wrong checksum at the end of the image data is only ever warned of: it is not computed.
  png_set_option(reader, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
  // Text chunks are skipped unread: each would be kept, inflated, whatever their number.
  static const png_byte text[] = "tEXt\0zTXt\0iTXt";
  png_set_keep_unknown_chunks(reader, PNG_HANDLE_CHUNK_NEVER, text, 3);
  png_set_progressive_read_fn(reader, d, onInfo, onRow, nullptr);
  png_process_data(reader, info, reinterpret_cast<png_bytep>(const_cast<char*>(png.data())), size_t(png.size()));
  return allRowsRead(reader, info);
}

}  // namespace

QSize pngHeaderSize(QByteArrayView png) {
  const picturewalks::Bytes b{reinterpret_cast<const uchar*>(png.data()), png.size()};
  if (!b.startsWith(picturewalks::PngSignature) || b.be32(8) != 13 || !b.has(12, 4 + 13) ||
      QByteArrayView(png.data() + 12, 4) != "IHDR")
    return {};
  return QSize(int(qMin<quint32>(b.be32(16), INT_MAX)), int(qMin<quint32>(b.be32(20), INT_MAX)));
}

QImage decodePng(QByteArrayView png) {
  // On the heap: what the callbacks change must be there after an error jumps back.
  const auto d = std::make_unique<Decoding>();
  png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
  png_infop info = reader ? png_create_info_struct(reader) : nullptr;
  const bool whole = info && readAllRows(reader, info, png, d.get());
  png_destroy_read_struct(&reader, info ? &info : nullptr, nullptr);
  if (!whole) return {};
  clampIndices(d->picture);
  return std::move(d->picture);
}
