#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/textfont.h"

class TextStamp;

// The main picture's mouse icon: a pointer of Marvane's own design, a paint pot pouring, which
// the fill tools give the controls dragged as their source.
QPixmap drawFillIcon();

// A picture box of the main window: the canvas model every editing tool relies on.
//
// It holds its picture P, its persistent image I (P plus everything drawn while AutoRedraw was
// on since P was last set) and a screen-only layer S (drawing made while AutoRedraw was off).
// The screen shows I with S over it. Cls with AutoRedraw off clears S and keeps I; Cls with
// AutoRedraw on also sets I back to P. Setting P throws away I's extra drawing and S. A commit
// is P := I and empties S, so that the screen shows what was committed. Point reads what is
// shown while AutoRedraw is off, and I while it is on.
//
// Coordinates are pixels of the drawing area (the 2-pixel border is outside it). Every drawing
// call is exact: no antialiasing, so colours compare by equality.
class PictureBox : public QWidget {
  Q_OBJECT
 public:
  PictureBox(QWidget* parent, int scaleWidth, int scaleHeight, int border = 2);

  int scaleWidth() const { return persistent_.width(); }
  int scaleHeight() const { return persistent_.height(); }
  // Where the drawing area lies in the widget, inside the border.
  QRect drawingArea() const { return QRect(border_, border_, scaleWidth(), scaleHeight()); }
  // Resizes the drawing area; the contents keep their place at the top left, new room shows the
  // back colour. The widget grows with it.
  void setScaleSize(int width, int height);

  // The committed picture. A null image means the box holds no picture.
  const QImage& picture() const { return picture_; }
  bool hasPicture() const { return !picture_.isNull(); }
  void setPicture(const QImage& picture);
  void clearPicture();
  // The persistent image: the picture plus persistent drawing, at the size of the drawing area.
  const QImage& image() const { return persistent_; }
  // What the screen shows: the persistent image with the screen layer over it.
  QImage shown() const;
  // P := I, and S emptied.
  void commit();

  bool autoRedraw() const { return autoRedraw_; }
  void setAutoRedraw(bool on);
  void Cls();

  // Drawing state, as the drawing calls below use it.
  long foreColor() const { return foreColor_; }
  void setForeColor(long c) { foreColor_ = c; }
  long backColor() const { return backColor_; }
  void setBackColor(long c);
  long fillColor() const { return fillColor_; }
  void setFillColor(long c) { fillColor_ = c; }
  // Solid, none, and the downward diagonal and cross hatches.
  enum FillStyle { FillSolid = 0, FillTransparent = 1, FillDownwardDiagonal = 5, FillCross = 6 };
  int fillStyle() const { return fillStyle_; }
  void setFillStyle(int s) { fillStyle_ = s; }
  int drawWidth() const { return drawWidth_; }
  void setDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }
  bool fontTransparent() const { return fontTransparent_; }
  void setFontTransparent(bool t) { fontTransparent_ = t; }
  double currentX = 0;
  double currentY = 0;
  // The box's own font (sizes in points).
  TextFont font;

  // Prints text at (currentX, currentY), the top left of the character cell, in the fore colour,
  // on a back-colour cell unless the font is transparent. `escapement` turns it counter-clockwise
  // in tenths of a degree about that corner. currentY then moves one line down and currentX to 0.
  void Print(const QString& text);
  void Print(const QString& text, const TextFont& f, int escapement);
  // Prints a stamp made beforehand, as Print does. A stamp that reaches no pixel of the drawing
  // area is passed over; the pen moves all the same.
  void PrintStamp(const std::shared_ptr<const TextStamp>& stamp);

  // While one is open, prints are collected and drawn together when the last one closes: the
  // pixels of printing them in turn, in one pass however many copies overlap (a shadow prints
  // its text hundreds of times). Any other drawing, clear, commit or switch of layers draws the
  // collected prints first; reading the picture in between does not see them.
  class PrintBatch {
   public:
    explicit PrintBatch(PictureBox& box);
    ~PrintBatch();
    PrintBatch(const PrintBatch&) = delete;
    PrintBatch& operator=(const PrintBatch&) = delete;

   private:
    PictureBox& box_;
  };

  // Line from (x1, y1) to (x2, y2) in the draw width; the current point moves to the end.
  void Line(double x1, double y1, double x2, double y2, long colour);
  // Box outline, or filled box, between two corners.
  void Box(double x1, double y1, double x2, double y2, long colour);
  void BoxFilled(double x1, double y1, double x2, double y2, long colour);
  // Circle or ellipse about (cx, cy): aspect is height / width; below 1 the radius is the
  // horizontal half axis, from 1 up the vertical one. Filled by the fill style.
  void Circle(double cx, double cy, double radius, long colour, double aspect = 1.0);
  void PSet(double x, double y, long colour);
  // The colour at (x, y), or NoColour outside the drawing area.
  static constexpr long NoColour = -1;
  long Point(double x, double y) const;
  // Paints a picture stretched into the rectangle (x, y, w, h) of the current layer.
  void PaintPicture(const QImage& source, double x, double y, double w, double h);
  // Paints the part of `source` from (sx, sy), sw x sh, stretched into (x, y, w, h). A negative
  // source width or height takes the part to the left of or above (sx, sy) and mirrors it in that
  // direction. Only the source's own pixels are painted, each where the stretch puts it.
  void PaintPicture(const QImage& source, double x, double y, double w, double h, double sx, double sy, double sw,
                    double sh);
  // GDI's two floods, on the persistent image in the fill colour:
  // they read what it holds, so they paint only while AutoRedraw is on, and, like a hollow brush,
  // only with the solid fill style. FloodFill spreads from (x, y) up to pixels of the colour
  // `border`; ExtFloodFillSurface covers the area of the colour at (x, y) that is connected to it.
  // False, changing nothing, when nothing was painted: AutoRedraw off, a style that is not solid,
  // a point outside the drawing area, or a start on the border colour.
  bool FloodFill(double x, double y, long border);
  bool ExtFloodFillSurface(double x, double y);
  // Copies the rectangle `from` of `source` to (x, y) of the current layer, leaving out the
  // source pixels of the colour `key`: there the box keeps what it shows (or holds, while
  // AutoRedraw is on).
  void TransparentBlit(const QImage& source, const QRect& from, double x, double y, long key);

  // The image the next drawing call goes to: I while AutoRedraw is on, else the screen layer.
  QImage& drawTarget();

  // The picture the box offers as a drag icon in place of its pointer; none unless given.
  QPixmap mouseIcon;

  int mousePointer() const { return mousePointer_; }
  void setMousePointer(int pointer);

 signals:
  // Button 1 left, 2 right, 4 middle (for moves: the buttons held); shift 1 Shift, 2 Ctrl, 4 Alt.
  void mouseDown(int button, int shift, double x, double y);
  void mouseMove(int button, int shift, double x, double y);
  void mouseUp(int button, int shift, double x, double y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  struct PendingPrint {
    std::shared_ptr<const TextStamp> stamp;
    QPoint at;
    QRgb ink;
    bool opaque;
    QRgb cell;
  };

  QImage blankImage() const;
  QBrush fillBrush() const;
  bool floodable();
  // Whether (x, y) lies in the drawing area, and the pixel it rounds to.
  bool holds(double x, double y, QPoint* at) const;
  QImage& layer() { return autoRedraw_ ? persistent_ : screen_; }
  void drawPending();
  void changed();
  void emitMouse(QMouseEvent* e, int kind);

  int border_;
  QImage picture_;
  QImage persistent_;
  QImage screen_;  // ARGB: alpha 0 where nothing was drawn
  bool autoRedraw_ = false;
  long foreColor_ = 0;
  long backColor_ = 0xFFFFFF;
  long fillColor_ = 0;
  int fillStyle_ = FillTransparent;
  int drawWidth_ = 1;
  bool fontTransparent_ = true;
  int mousePointer_ = 0;
  int openBatches_ = 0;
  std::vector<PendingPrint> pending_;
};

// Runs `flood` (a call of FloodFill or ExtFloodFillSurface) with a solid fill of `colour` on the
// box's persistent image, and leaves the box drawing on its erasable layer with no fill, so that
// shapes drawn later are hollow.
template <typename Flood>
void solidFlood(PictureBox* box, long colour, Flood flood) {
  box->setFillColor(colour);
  box->setFillStyle(PictureBox::FillSolid);
  box->setAutoRedraw(true);
  flood();
  box->setAutoRedraw(false);
  box->setFillStyle(PictureBox::FillTransparent);
}
