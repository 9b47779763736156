#pragma once

#include <QFont>
#include <QString>

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
