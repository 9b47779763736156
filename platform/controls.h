#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <vector>

// The controls of the main window. Each keeps the event cascade the handlers rely on: a change
// made by code raises the same signal as the operator's change, and only a real change does.
// Back colours are stored as the exact long they were given (state is read back from them).
namespace platform {

int vbButton(Qt::MouseButton b);           // 1 left, 2 right, 4 middle, 0 other
int heldButtons(Qt::MouseButtons buttons);  // the same bits for every button held
int shiftState(Qt::KeyboardModifiers m);   // 1 Shift, 2 Ctrl, 4 Alt

// Shows `colour` as the widget's background and keeps it for backColor().
void setBackColor(QWidget* w, long colour);
long backColor(const QWidget* w, long fallback = 0x8000000F);

// The window's own small font, in which every control's laid-out size holds its caption.
QFont windowFont();

// Texts of the program use CR LF between lines; Qt's text widgets use LF.
QString toWidgetText(const QString& crlf);
QString fromWidgetText(const QString& lf);

}  // namespace platform

// The mouse signals every clickable control offers, with the same arguments as the picture box.
#define MARVANE_MOUSE_SIGNALS                                      \
  void mouseDown(int button, int shift, double x, double y);       \
  void mouseUp(int button, int shift, double x, double y);         \
  void dblClick();

// A label used as a button: its back colour is its state; it acts on press, as a label does.
// Its caption wraps at word breaks within the label.
class LabelButton : public QLabel {
  Q_OBJECT
 public:
  LabelButton(const QString& caption, QWidget* parent);
  QString caption() const { return text(); }
  void setCaption(const QString& c) { setText(c); }
  long backColor() const { return platform::backColor(this); }
  void setBackColor(long c) { platform::setBackColor(this, c); }
 signals:
  void clicked();
  MARVANE_MOUSE_SIGNALS
 protected:
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
};

// A push button whose caption wraps at word breaks, centred in the button.
class CommandButton : public QPushButton {
  Q_OBJECT
 public:
  CommandButton(const QString& caption, QWidget* parent);
  QString caption() const { return text(); }
  void setCaption(const QString& c) { setText(c); }
  long backColor() const { return platform::backColor(this); }
  void setBackColor(long c) { platform::setBackColor(this, c); }
  // Where the caption is drawn, inside the button's bevel.
  QRect captionRect() const;
 signals:
  MARVANE_MOUSE_SIGNALS
 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
};

// Value 0 or 1; `toggled` fires for every change, by the operator or by code.
class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  CheckBox(const QString& caption, QWidget* parent);
  int value() const { return isChecked() ? 1 : 0; }
  void setValue(int v) { setChecked(v != 0); }
 signals:
  MARVANE_MOUSE_SIGNALS
 protected:
  void mouseReleaseEvent(QMouseEvent*) override;
};

// An option button of one container. Turning it on (by the operator, or by code while it was off)
// raises `chosen` and turns the other buttons of its container off; turning it off raises
// nothing. Buttons in different containers are independent, as the handlers expect.
class OptionButton : public QRadioButton {
  Q_OBJECT
 public:
  OptionButton(const QString& caption, QWidget* parent);
  bool value() const { return isChecked(); }
  void setValue(bool on) { setChecked(on); }
  long backColor() const { return platform::backColor(this); }
  void setBackColor(long c) { platform::setBackColor(this, c); }
  // Buttons that exclude each other.
  static void makeContainer(const std::vector<OptionButton*>& buttons);
 signals:
  void chosen();
  MARVANE_MOUSE_SIGNALS
 protected:
  void nextCheckState() override;
  void mouseReleaseEvent(QMouseEvent*) override;
 private:
  std::vector<OptionButton*> siblings_;
};

// Raises `change` once for every change of the value. A value outside the range is refused
// (a Windows scroll bar raises an error there, which the callers skip) and changes nothing. A click
// raises `gotFocus` before the value it changes.
class ScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  ScrollBar(Qt::Orientation o, int min, int max, int value, QWidget* parent);
  bool setValueChecked(int v);
 signals:
  void change();
  void gotFocus();
 protected:
  void focusInEvent(QFocusEvent*) override;
  void timerEvent(QTimerEvent*) override;
};

// Multi-line text box. text() and setText() use CR LF and keep every other character as it stands;
// `change` fires only on a real change.
// Panels share their places in the window: a panel comes in front of its siblings whenever it is
// made visible, also when it already was and another panel has covered it since, so that the
// operator sees what a menu opens and the control that takes the focus in it.
template <class Control>
class Panel : public Control {
 public:
  using Control::Control;
  void setVisible(bool visible) override {
    Control::setVisible(visible);
    if (visible) this->raise();
  }
};

class TextBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TextBox(QWidget* parent);
  QString text() const { return platform::fromWidgetText(widgetText()); }
  void setText(const QString& crlf);
  QString selText() const;
  long backColor() const { return platform::backColor(this); }
  void setBackColor(long c) { platform::setBackColor(this, c); }
 signals:
  void change();
  MARVANE_MOUSE_SIGNALS
 protected:
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
 private:
  QString widgetText() const;
  QString last_;
};

// One-line text box.
class TextField : public QLineEdit {
  Q_OBJECT
 public:
  explicit TextField(QWidget* parent);
  long backColor() const { return platform::backColor(this); }
  void setBackColor(long c) { platform::setBackColor(this, c); }
 signals:
  void change();
  MARVANE_MOUSE_SIGNALS
 protected:
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
};

// A drop-down list whose text may be something that is no item ("  Things").
class ComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit ComboBox(QWidget* parent);
  QString text() const { return currentText(); }
  void setText(const QString& t) { setEditText(t); }
 signals:
  void click();
  void gotFocus();
  void lostFocus();
 protected:
  void focusInEvent(QFocusEvent*) override;
  void focusOutEvent(QFocusEvent*) override;
};

// An image control: holds a picture or nothing, and shows it stretched to its size.
class ImageBox : public QLabel {
  Q_OBJECT
 public:
  ImageBox(QWidget* parent, int width, int height);
  const QImage& picture() const { return picture_; }
  bool hasPicture() const { return !picture_.isNull(); }
  void setPicture(const QImage& p);
  void clearPicture() { setPicture(QImage()); }
 signals:
  MARVANE_MOUSE_SIGNALS
 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
 private:
  QImage picture_;
};

// A container of controls with an optional caption on its etched border. It is opaque, filled
// with the button face, so nothing beneath it shows through, and it takes the clicks made on it.
// Its contents rectangle is the room inside the border, below the caption. Panels share their
// places, so a frame that is shown comes in front of its siblings. To assistive technology it is
// a group named by its caption.
class Frame : public Panel<QWidget> {
  Q_OBJECT
 public:
  explicit Frame(QWidget* parent, const QString& caption = QString());
  QString caption() const { return caption_; }
  // Where the caption is drawn, over the top of the border.
  QRect captionRect() const;
 protected:
  void paintEvent(QPaintEvent*) override;
 private:
  QString caption_;
};

// A rectangle framing a group of tools. Draw mode 13 draws it plainly, 14 (GDI's merge-pen-not
// raster operation) makes it stand out: the frame of the chosen editing mode's group.
class ShapeBox : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeBox(QWidget* parent);
  int drawMode() const { return drawMode_; }
  void setDrawMode(int m);
 protected:
  void paintEvent(QPaintEvent*) override;
 private:
  int drawMode_ = 13;
};

namespace platform {

// The selection of `w` when it is a text box; "" for any other control, and for none.
inline QString selectedTextOf(QWidget* w) {
  if (auto* box = qobject_cast<TextBox*>(w)) return box->selText();
  if (auto* line = qobject_cast<QLineEdit*>(w)) return line->selectedText();
  return QString();
}

}  // namespace platform
