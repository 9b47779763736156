#include "platform/textstamp.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <cmath>

namespace {

// The cache is bounded so that a long session with many texts does not grow without end; a text
// far wider than the picture makes big masks, so the bound counts bytes as well as stamps.
constexpr int maxCachedStamps = 512;
constexpr std::size_t maxCachedBytes = std::size_t(64) << 20;

}  // namespace

std::shared_ptr<const TextStamp> TextStamp::of(const QString& text, const TextFont& font, int escapement) {
  static QHash<QString, std::shared_ptr<const TextStamp>> cache;
  static std::size_t cachedBytes = 0;
  // Keyed by everything that changes the pixels.
  const QString key = font.key() + QLatin1Char('|') + QString::number(escapement) + QLatin1Char('|') + text;
  auto it = cache.constFind(key);
  if (it != cache.constEnd()) return *it;
  auto stamp = std::make_shared<const TextStamp>(render(text, font, escapement));
  const std::size_t bytes = stamp->ink_.byteSize() + stamp->cell_.byteSize();
  if (cache.size() >= maxCachedStamps || cachedBytes + bytes > maxCachedBytes) {
    cache.clear();
    cachedBytes = 0;
  }
  cachedBytes += bytes;
  cache.insert(key, stamp);
  return stamp;
}

TextStamp TextStamp::render(const QString& text, const TextFont& font, int escapement) {
  const QFont qf = font.qfont();
  const QFontMetrics metrics(qf);
  const int width = metrics.horizontalAdvance(text);
  const int height = metrics.height();
  QTransform turn;
  turn.rotate(-escapement / 10.0);

  // Room for the turned cell plus overhangs of italic and oversized glyphs on every side.
  const int margin = height + metrics.maxWidth();
  const QRect bounds = turn.mapRect(QRect(0, 0, width, height)).adjusted(-margin, -margin, margin, margin);
  const int originX = -bounds.left();
  const int originY = -bounds.top();

  QImage mask(bounds.size(), QImage::Format_ARGB32);
  TextStamp stamp;
  stamp.lineHeight_ = height;

  mask.fill(Qt::transparent);
  {
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(originX, originY);
    p.setTransform(turn, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRect(0, 0, width, height));
  }
  stamp.cell_ = raster::GlyphMask::fromAlpha(mask, QPoint(originX, originY));

  mask.fill(Qt::transparent);
  {
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.translate(originX, originY);
    p.setTransform(turn, true);
    p.setFont(qf);
    p.setPen(Qt::black);
    p.drawText(0, metrics.ascent(), text);
  }
  stamp.ink_ = raster::GlyphMask::fromAlpha(mask, QPoint(originX, originY));
  return stamp;
}

void TextStamp::draw(QImage& target, QPoint at, QRgb inkColour, bool opaque, QRgb cellColour) const {
  if (opaque) raster::fill(target, cell_, at, cellColour);
  raster::fill(target, ink_, at, inkColour);
}
