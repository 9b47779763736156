#pragma once

#include <QString>

// A value of the settings file's bare form: empty, a number, or a text. Values read from the file
// become numbers when they read as one, so that a later write gives back the same line.
struct Variant {
  enum Kind { Empty, Number, Text };
  Kind kind = Empty;
  double number = 0;
  QString text;

  Variant() = default;
  Variant(double n) : kind(Number), number(n) {}
  static Variant fromText(const QString& t);
  // A text kept as it stands, even when it reads as a number; empty for an empty text.
  static Variant ofText(const QString& t);

  bool isEmpty() const { return kind == Empty; }
  bool isNumber() const { return kind == Number; }
  // The numeric value; 0 for an empty value or a text that is no number.
  double toDouble() const;
  int toInt() const;
  QString toString() const;
  bool operator==(double n) const { return kind == Number && number == n; }
};

// Reads a bare item as BASIC's Val reads a number: optional blanks, a sign, digits and one
// decimal point (C locale). Returns false when the whole text is not such a number. A number too
// large for a double reads as the largest double of its sign.
bool readsAsNumber(const QString& text, double* value = nullptr);
// Writes a number in the C locale without a trailing ".0" and without an exponent, so that it
// reads back as a number.
QString numberText(double n);
// `n` rounded to the nearest whole number within [low, high]; NaN counts as 0. Never undefined,
// however large or odd `n` is.
long long roundedWithin(double n, long long low, long long high);
// "True" or "False", as the settings files keep a flag.
QString trueFalse(bool on);
