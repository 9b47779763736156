#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <optional>

class QPrinter;

class QMessageBox;
class QWidget;

// Message-box styles and answers, with the values the handlers compare against. A style is one
// button set, plus at most one icon, plus DefaultButton2 for the second button as the default.
namespace vb {
constexpr int OKOnly = 0;
constexpr int OKCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;

constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace vb

// A file chosen in the save dialog, with the 1-based index of the filter entry it was chosen in.
struct SaveChoice {
  QString path;
  int filterIndex = 1;
};

// Every question and message the program puts to the operator goes through this interface, so
// that tests can answer them. Each dialog but the message box gives nothing back when the operator
// cancels it. File filters are written "description|patterns|description|patterns", the patterns
// of one entry joined by ";".
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // `buttons` is a vb style.
  virtual int MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
  // One line of text, `defaultText` offered; an empty line is an answer too.
  virtual std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
  // An existing file, the first filter entry chosen.
  virtual std::optional<QString> ShowOpen(const QString& title, const QString& filter, const QString& initialDir) = 0;
  // A file name to write, entry `filterIndex` (1-based) chosen at first.
  virtual std::optional<SaveChoice> ShowSave(const QString& title, const QString& filter, int filterIndex,
                                              const QString& initialName) = 0;
  // A printer the operator has chosen and set up, ready to paint on.
  virtual std::unique_ptr<QPrinter> ShowPrinter() = 0;
  // Colours are 24-bit BGR longs.
  virtual std::optional<long> ShowColor(long initial) = 0;
  virtual std::optional<QFont> ShowFont(const QFont& initial) = 0;
};

// The message box QtDialogs::MsgBox shows for a vb style, not yet shown.
std::unique_ptr<QMessageBox> buildMessageBox(const QString& prompt, int buttons, const QString& title,
                                             QWidget* parent = nullptr);

// The real dialogs: Qt's own.
class QtDialogs : public Dialogs {
 public:
  int MsgBox(const QString& prompt, int buttons, const QString& title) override;
  std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
  std::optional<QString> ShowOpen(const QString& title, const QString& filter, const QString& initialDir) override;
  std::optional<SaveChoice> ShowSave(const QString& title, const QString& filter, int filterIndex,
                                     const QString& initialName) override;
  std::unique_ptr<QPrinter> ShowPrinter() override;
  std::optional<long> ShowColor(long initial) override;
  std::optional<QFont> ShowFont(const QFont& initial) override;
};
