// The settings file "restore": whatever it holds, every number read lies within its range, and
// what the shut-down writes from it reads back to the same file, which a start takes for a file in
// Marvane's own form.
#include <QApplication>
#include <QDir>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "app/form1.h"
#include "app/settings.h"

namespace {

// One window for the whole run: reading the file sets its variables, never its controls.
Form1& window() {
  static int argc = 1;
  static char name[] = "settings_fuzz";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  static Form1 form([] {
    Form1Environment env;
    env.programDirectory = QDir::tempPath();
    env.showSplash = false;
    return env;
  }());
  return form;
}

bool within(double n, double low, double high) { return n >= low && n <= high && n == std::floor(n); }
bool within(const Variant& v, double low, double high) { return !v.isNumber() || within(v.number, low, high); }

bool numbersInRange(const Form1& f) {
  bool ok = within(f.shadowdepth, 0, 400) && within(f.outlineweight, 0, 2) && within(f.lastdirbutton, 0, 8) &&
            within(f.tipsoffflag, 0, 1) && within(f.shadowcolour, 0, 0xFFFFFF) && within(f.keycolour, 0, 0xFFFFFF);
  for (int scroll : {f.restoreHScroll4, f.restoreVScroll1, f.restoreHScroll5, f.sstvprogram}) ok = ok && within(scroll, -32768, 32767);
  for (int k = 1; k <= 8; ++k) ok = ok && within(f.dirlistindex[k], -1, INT_MAX);
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Form1& f = window();
  readSettingsFile(f, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (!numbersInRange(f)) __builtin_trap();
  const QByteArray written = settingsFileBytes(f);
  readSettingsFile(f, written);
  if (settingsFileBytes(f) != written) __builtin_trap();  // the next exit writes the same file
  // and the next start takes it for Marvane's own, which it never copies
  if (settingsWrittenBack(f, written) != written) __builtin_trap();
  return 0;
}
