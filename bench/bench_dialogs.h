#pragma once
// Dialogs for the benchmarks that drive the main window: every message box is answered OK, the
// open dialog with `openAnswer` (none: cancelled), and every other dialog is cancelled.
#include <QFont>
#include <QPrinter>
#include <QString>
#include <memory>
#include <optional>

#include "platform/dialogs.h"

namespace bench {

struct BenchDialogs : Dialogs {
  std::optional<QString> openAnswer;
  int MsgBox(const QString&, int, const QString&) override { return vb::OK; }
  std::optional<QString> InputBox(const QString&, const QString&, const QString&) override { return {}; }
  std::optional<QString> ShowOpen(const QString&, const QString&, const QString&) override { return openAnswer; }
  std::optional<SaveChoice> ShowSave(const QString&, const QString&, int, const QString&) override { return {}; }
  std::unique_ptr<QPrinter> ShowPrinter() override { return nullptr; }
  std::optional<long> ShowColor(long) override { return {}; }
  std::optional<QFont> ShowFont(const QFont&) override { return {}; }
};

}  // namespace bench
