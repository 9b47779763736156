#pragma once

#include <QFont>
#include <QString>

class QWidget;

// The family that draws a stored font name. Names are kept as the operator or the settings file
// gave them; the symbol faces Linux lacks and that have no free look-alike ("Webdings",
// "Wingdings") draw with the free symbol font D050000L. Any other face missing here is left to
// fontconfig's own substitution.
QString drawnFamily(const QString& name);

// Shows `w`'s text in the face `name`, drawn by the rule above, at `points` when that is above 0;
// faceName() then gives `name` back, not the family that draws it.
void setFace(QWidget* w, const QString& name, double points = 0);
QString faceName(const QWidget* w);

// Turns one style of a widget's font on or off, keeping the rest of the font.
void setWidgetBold(QWidget* w, bool on);
void setWidgetUnderline(QWidget* w, bool on);

// A font as the drawing calls ask for it: the face, a size in points or a character height in
// pixels, a GDI weight (400 normal, 700 bold; more is accepted) and the styles. Fonts made from
// it never antialias, so printed text consists of exactly the fore colour.
struct TextFont {
  QString name = QStringLiteral("Arial");
  double size = 8.25;   // points, at 96 dots per inch
  int pixelHeight = 0;  // when above 0: the character height in pixels, in place of `size`
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  bool operator==(const TextFont&) const = default;
  bool bold() const { return weight >= 700; }
  void setBold(bool on) { weight = on ? 700 : 400; }
  int pixelSize() const;
  QFont qfont() const;
  // Identifies the rendering: two fonts with the same key draw the same pixels.
  QString key() const;
};
