#include "app/form2.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/colour.h"
#include "platform/system.h"
#include "platform/textfont.h"

namespace {

// The loading text's font: Arial 40 pixels high, squeezed so that the line is about 10 pixels a
// character long, the diameter of the circle it turns on. The squeeze is taken from the line
// itself: the free look-alike of Arial reports an average character width far from Arial's.
QFont splashFont(const QString& text) {
  TextFont f;
  f.name = QStringLiteral("Arial");
  f.pixelHeight = 40;
  QFont font = f.qfont();
  const int natural = QFontMetrics(font).horizontalAdvance(text);
  if (natural > 0) font.setStretch(std::clamp(int(std::lround(100.0 * 10 * text.size() / natural)), 1, 4000));
  return font;
}

// A Single pi, as the lookup table has always been computed with it.
constexpr double singlePi = double(3.141593f);

// Conversion to a whole number the way the table and the centre expect: halves go to even.
int toLong(double v) { return int(std::nearbyint(v)); }

}  // namespace

Form2::Form2(const QImage& testPattern) : tickCount(platform::GetTickCount), picture_(testPattern) {
  setWindowTitle(QStringLiteral("Marvane"));
  setFixedSize(320, 256);
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  Cls();
}

void Form2::Form_Load() {
  foreColor_ = colour::rgb(255, 0, 0);
  splashradius = toLong(loadingText.size() * 10 / 2.0);
  buildlookuptable();
  runmain();
}

void Form2::Form_Resize() { splashcentre = {toLong(width() / 2.0), toLong(height() / 2.0)}; }

void Form2::Form_Unload() { splashstop = true; }

void Form2::buildlookuptable() {
  int a = 0;
  for (int i = 1; i <= 36; ++i) {
    const double radians = a * singlePi / 180;
    splashtable[i] = {toLong(std::cos(radians) * splashradius), toLong(std::sin(radians) * splashradius)};
    a = a % 360 + 10;
  }
}

void Form2::drawrotatedtext(int& angle) {
  const QFont font = splashFont(loadingText);
  lastIndex = lastIndex % 36 + 1;
  const double x = splashtable[lastIndex][0] + splashcentre[0];
  const double y = splashtable[lastIndex][1] + splashcentre[1] - 46;
  {
    QPainter p(&canvas_);
    p.translate(x, y);
    // A GDI escapement turns counter-clockwise, Qt's rotation clockwise.
    p.rotate(-angle / 10.0);
    p.setFont(font);
    p.setPen(colour::toQColor(foreColor_));
    p.drawText(0, QFontMetrics(font).ascent(), loadingText);
  }
  update();
}

void Form2::runmain() {
  show();
  int angle = 1800;
  quint32 last = 0;
  int frames = 0;
  while (!splashstop && frames <= 17) {
    const quint32 now = tickCount();
    // The first frame comes at once whatever the clock reads: a clock that started less than
    // 36 ms ago (or just wrapped) would otherwise hold it back.
    if (frames == 0 || quint32(now - last) > 35) {
      angle = angle % 3600 - 100;
      Cls();
      drawrotatedtext(angle);
      last = tickCount();
      frameTimes.push_back(last);
      ++frames;
    }
    platform::DoEvents();
  }
}

void Form2::Cls() {
  canvas_ = QImage(size(), QImage::Format_RGB32);
  canvas_.fill(palette().color(QPalette::Window));
  QPainter p(&canvas_);
  p.drawImage(0, 0, picture_);
}

void Form2::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, canvas_);
}

void Form2::closeEvent(QCloseEvent* e) {
  Form_Unload();
  e->accept();
}

void Form2::resizeEvent(QResizeEvent*) { Form_Resize(); }
