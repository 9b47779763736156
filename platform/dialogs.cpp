#include "platform/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/colour.h"

namespace {

// The entries of a "description|patterns|..." filter as Qt's name filters, "description (pattern
// pattern)". The dialogs hide the pattern part, so each entry shows its description as written.
struct NameFilters {
  QStringList descriptions;
  QStringList filters;
  explicit NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
      descriptions << parts[i];
      filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                     QLatin1Char(')');
    }
  }
  void showIn(QFileDialog& dialog) const {
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
  }
  // 1-based; Qt names the chosen entry by its description while the patterns are hidden.
  int indexOf(const QString& chosen) const {
    const qsizetype byDescription = descriptions.indexOf(chosen);
    return int(byDescription >= 0 ? byDescription : filters.indexOf(chosen)) + 1;
  }
};

// A box built by hand shows no icon until it is given one.
QMessageBox::Icon iconOf(int style) {
  switch (style & 0x70) {
    case vb::Critical: return QMessageBox::Critical;
    case vb::Question: return QMessageBox::Question;
    case vb::Exclamation: return QMessageBox::Warning;
    case vb::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

std::unique_ptr<QMessageBox> buildMessageBox(const QString& prompt, int buttons, const QString& title,
                                             QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(iconOf(buttons), title, prompt, QMessageBox::NoButton, parent);
  QList<QMessageBox::StandardButton> order;
  switch (buttons & 0xF) {
    case vb::OKCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case vb::YesNoCancel: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    case vb::YesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
    default: order = {QMessageBox::Ok}; break;
  }
  for (auto b : order) box->addButton(b);
  const int defaultIndex = (buttons & vb::DefaultButton2) && order.size() > 1 ? 1 : 0;
  box->setDefaultButton(order[defaultIndex]);
  if (order.contains(QMessageBox::Cancel)) box->setEscapeButton(QMessageBox::Cancel);
  return box;
}

int QtDialogs::MsgBox(const QString& prompt, int buttons, const QString& title) {
  switch (buildMessageBox(prompt, buttons, title, QApplication::activeWindow())->exec()) {
    case QMessageBox::Yes: return vb::Yes;
    case QMessageBox::No: return vb::No;
    case QMessageBox::Cancel: return vb::Cancel;
    default: return vb::OK;
  }
}

std::optional<QString> QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  bool ok = false;
  // The program's prompts break lines with CR LF; a label breaks them at LF.
  const QString lines = QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QString text =
      QInputDialog::getText(QApplication::activeWindow(), title, lines, QLineEdit::Normal, defaultText, &ok);
  if (!ok) return std::nullopt;
  return text;
}

std::optional<QString> QtDialogs::ShowOpen(const QString& title, const QString& filter, const QString& initialDir) {
  QFileDialog dialog(QApplication::activeWindow(), title, initialDir);
  dialog.setFileMode(QFileDialog::ExistingFile);
  NameFilters(filter).showIn(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<SaveChoice> QtDialogs::ShowSave(const QString& title, const QString& filter, int filterIndex,
                                              const QString& initialName) {
  QFileDialog dialog(QApplication::activeWindow(), title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const NameFilters filters(filter);
  filters.showIn(dialog);
  dialog.selectNameFilter(filters.filters.value(filterIndex - 1));
  if (!initialName.isEmpty()) dialog.selectFile(initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const int chosen = filters.indexOf(dialog.selectedNameFilter());
  return SaveChoice{dialog.selectedFiles().first(), chosen > 0 ? chosen : filterIndex};
}

std::unique_ptr<QPrinter> QtDialogs::ShowPrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get(), QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return printer;
}

std::optional<long> QtDialogs::ShowColor(long initial) {
  const QColor chosen = QColorDialog::getColor(colour::toQColor(initial), QApplication::activeWindow());
  if (!chosen.isValid()) return std::nullopt;
  return colour::fromQRgb(chosen.rgb());
}

std::optional<QFont> QtDialogs::ShowFont(const QFont& initial) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, QApplication::activeWindow());
  if (!ok) return std::nullopt;
  return chosen;
}
