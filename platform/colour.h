#pragma once

#include <QColor>
#include <QRgb>

// Colours travel through Marvane as the 24-bit blue-green-red longs the settings file and the
// button states use (&HFF is red). This header is the one place where they meet Qt's QRgb.
namespace colour {

// The system button face: SET shows it while nothing is pending.
constexpr long ButtonFace = 0x8000000F;

// Label buttons carry their state in their back colour; these are the values every tool tests.
namespace state {
constexpr long Armed = 0xFF;           // red: a tool is armed, or work is pending
constexpr long Idle = 0xC0C0;          // armed labels return to it
constexpr long SetIdle = ButtonFace;   // SET with nothing pending
constexpr long Selected = 0xFF00;      // green: chosen save format, fill mode, shown view
constexpr long Off = 0x808000;         // teal: mode buttons and strip views not chosen
constexpr long ModeChosen = 0x80FF80;  // light green: the chosen editing mode
constexpr long Stripes = 0xFFFF00;     // style label showing " Stripes"
constexpr long OopsNormal = 0xFFFFFF;  // OOPS shows the latest work
constexpr long OopsBefore = 0x0;       // OOPS shows the before-picture
}  // namespace state

constexpr long rgb(int r, int g, int b) { return long(r) | (long(g) << 8) | (long(b) << 16); }
constexpr int red(long c) { return int(c & 0xFF); }
constexpr int green(long c) { return int((c >> 8) & 0xFF); }
constexpr int blue(long c) { return int((c >> 16) & 0xFF); }

// System colours (high bit set) resolve to the look of the desktop; everything else is exact.
QRgb toQRgb(long bgr);
inline QColor toQColor(long bgr) { return QColor::fromRgb(toQRgb(bgr)); }
inline long fromQRgb(QRgb c) { return rgb(qRed(c), qGreen(c), qBlue(c)); }

}  // namespace colour
