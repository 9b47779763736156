#pragma once

#include <QString>

// Message-box buttons and answers, with the values the handlers compare against.
namespace vb {
constexpr int OKOnly = 0;
constexpr int OKCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int DefaultButton2 = 256;

constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace vb

// Every question and message the program puts to the operator goes through this interface, so
// that tests can answer them.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // `buttons` is one of the vb button sets, plus vb::DefaultButton2 for the second as default.
  virtual int MsgBox(const QString& prompt, int buttons, const QString& title) = 0;
};

// The real dialogs, as modal Qt message boxes.
class QtDialogs : public Dialogs {
 public:
  int MsgBox(const QString& prompt, int buttons, const QString& title) override;
};
