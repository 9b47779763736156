#include "platform/textstamp.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <cmath>

const TextStamp& TextStamp::of(const QString& text, const TextFont& font, int escapement) {
  // Keyed by everything that changes the pixels; bounded so that a long session with many texts
  // does not grow without end.
  static QHash<QString, TextStamp> cache;
  const QString key = font.key() + QLatin1Char('|') + QString::number(escapement) +
                      QLatin1Char('|') + text;
  auto it = cache.constFind(key);
  if (it != cache.constEnd()) return *it;
  if (cache.size() > 512) cache.clear();
  return *cache.insert(key, render(text, font, escapement));
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
  stamp.cell_ = spansOf(mask, originX, originY);

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
  stamp.ink_ = spansOf(mask, originX, originY);
  return stamp;
}

std::vector<TextStamp::Span> TextStamp::spansOf(const QImage& mask, int originX, int originY) {
  std::vector<Span> spans;
  for (int y = 0; y < mask.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    int x = 0;
    while (x < mask.width()) {
      if (qAlpha(row[x]) == 0) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < mask.width() && qAlpha(row[x]) != 0) ++x;
      spans.push_back({y - originY, start - originX, x - start});
    }
  }
  return spans;
}

void TextStamp::fill(QImage& target, const std::vector<Span>& spans, int x, int y, QRgb colour) {
  const int w = target.width();
  const int h = target.height();
  const QRgb opaque = colour | 0xFF000000u;
  for (const Span& s : spans) {
    const int row = y + s.y;
    if (row < 0 || row >= h) continue;
    const int from = std::max(0, x + s.x);
    const int to = std::min(w, x + s.x + s.length);
    if (from >= to) continue;
    QRgb* line = reinterpret_cast<QRgb*>(target.scanLine(row));
    std::fill(line + from, line + to, opaque);
  }
}

void TextStamp::draw(QImage& target, int x, int y, QRgb inkColour, bool opaque, QRgb cellColour) const {
  if (opaque) fill(target, cell_, x, y, cellColour);
  fill(target, ink_, x, y, inkColour);
}
