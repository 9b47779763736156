#include "platform/controls.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariant>

#include "platform/colour.h"

namespace platform {

int vbButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int heldButtons(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

void setBackColor(QWidget* w, long colour) {
  w->setProperty("marvaneBackColor", QVariant::fromValue<qlonglong>(colour));
  QPalette pal = w->palette();
  const QColor c = colour::toQColor(colour);
  pal.setColor(QPalette::Window, c);
  pal.setColor(QPalette::Base, c);
  pal.setColor(QPalette::Button, c);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

long backColor(const QWidget* w, long fallback) {
  const QVariant v = w->property("marvaneBackColor");
  return v.isValid() ? long(v.toLongLong()) : fallback;
}

QFont windowFont() {
  // Close to the 8-point sans serif of a Windows dialog at 96 dpi.
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  return font;
}

QString toWidgetText(const QString& crlf) {
  QString t = crlf;
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return t;
}

QString fromWidgetText(const QString& lf) {
  QString t = lf;
  t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  t.replace(QLatin1String("\n"), QLatin1String("\r\n"));
  return t;
}

}  // namespace platform

namespace {

template <typename Emit>
void withPosition(QMouseEvent* e, Emit emitter) {
  emitter(platform::vbButton(e->button()), platform::shiftState(e->modifiers()), e->position().x(),
          e->position().y());
}

}  // namespace

// ---- LabelButton ----------------------------------------------------------------------------

LabelButton::LabelButton(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAlignment(Qt::AlignCenter);
  setWordWrap(true);
}

void LabelButton::mousePressEvent(QMouseEvent* e) {
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseDown(b, s, x, y); });
}

void LabelButton::mouseReleaseEvent(QMouseEvent* e) {
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseUp(b, s, x, y); });
  if (rect().contains(e->position().toPoint())) emit clicked();
}

void LabelButton::mouseDoubleClickEvent(QMouseEvent*) { emit dblClick(); }

// ---- CommandButton --------------------------------------------------------------------------

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

QRect CommandButton::captionRect() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void CommandButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();  // the bevel alone; the caption is drawn wrapped below
  p.drawControl(QStyle::CE_PushButton, option);
  p.drawItemText(captionRect(), Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                 QPalette::ButtonText);
}

void CommandButton::mousePressEvent(QMouseEvent* e) {
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseDown(b, s, x, y); });
  QPushButton::mousePressEvent(e);
}

void CommandButton::mouseReleaseEvent(QMouseEvent* e) {
  QPushButton::mouseReleaseEvent(e);
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseUp(b, s, x, y); });
}

// ---- CheckBox -------------------------------------------------------------------------------

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

void CheckBox::mouseReleaseEvent(QMouseEvent* e) {
  QCheckBox::mouseReleaseEvent(e);
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseUp(b, s, x, y); });
}

// ---- OptionButton ---------------------------------------------------------------------------

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {
  setAutoExclusive(false);
  connect(this, &QAbstractButton::toggled, this, [this](bool on) {
    if (!on) return;
    for (OptionButton* other : siblings_)
      if (other != this) other->setChecked(false);
    emit chosen();
  });
}

void OptionButton::makeContainer(const std::vector<OptionButton*>& buttons) {
  for (OptionButton* b : buttons) b->siblings_ = buttons;
}

void OptionButton::nextCheckState() {
  // A click on a button that is already on leaves it on.
  if (!isChecked()) setChecked(true);
}

void OptionButton::mouseReleaseEvent(QMouseEvent* e) {
  QRadioButton::mouseReleaseEvent(e);
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseUp(b, s, x, y); });
}

// ---- ScrollBar ------------------------------------------------------------------------------

ScrollBar::ScrollBar(Qt::Orientation o, int min, int max, int value, QWidget* parent) : QScrollBar(o, parent) {
  // A click gives a scroll bar the focus, as on Windows: handlers run on getting it.
  setFocusPolicy(Qt::ClickFocus);
  setRange(min, max);
  setValue(value);
  setPageStep(1);
  connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::change);
}

bool ScrollBar::setValueChecked(int v) {
  if (v < minimum() || v > maximum()) return false;
  setValue(v);
  return true;
}

void ScrollBar::focusInEvent(QFocusEvent* e) {
  QScrollBar::focusInEvent(e);
  emit gotFocus();
}

// An arrow held down repeats. A handler that shows a message while the click is under way (on
// getting the focus, or on the change) takes the button's release away from the scroll bar, which
// would then repeat to the end of its range: the repeat ends once no button is held.
void ScrollBar::timerEvent(QTimerEvent* e) {
  if (repeatAction() != SliderNoAction && QGuiApplication::mouseButtons() == Qt::NoButton) {
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QScrollBar::mouseReleaseEvent(&release);
    return;
  }
  QScrollBar::timerEvent(e);
}

// ---- TextBox --------------------------------------------------------------------------------

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    // QPlainTextEdit reports a change even when the same text is set again.
    const QString now = widgetText();
    if (now == last_) return;
    last_ = now;
    emit change();
  });
}

void TextBox::setText(const QString& crlf) {
  const QString lf = platform::toWidgetText(crlf);
  if (lf == widgetText()) return;
  setPlainText(lf);
}

// The text as the document holds it, with LF between its paragraphs. Qt's plain-text read would
// also turn no-break spaces into blanks and line separators into line breaks: characters the
// operator never changed would come back changed, and a message would split at every exit.
QString TextBox::widgetText() const {
  QString t = document()->toRawText();
  t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return t;
}

// Shift+Enter starts a new line, as Enter does: Qt's line separator there would be a character
// the text keeps, not the line break the operator asked for.
void TextBox::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::InsertLineSeparator)) {
    insertPlainText(QStringLiteral("\n"));
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

QString TextBox::selText() const { return platform::fromWidgetText(textCursor().selectedText()); }

void TextBox::mousePressEvent(QMouseEvent* e) {
  QPlainTextEdit::mousePressEvent(e);
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseDown(b, s, x, y); });
}

void TextBox::mouseReleaseEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseReleaseEvent(e);
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseUp(b, s, x, y); });
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseDoubleClickEvent(e);
  emit dblClick();
}

// ---- TextField ------------------------------------------------------------------------------

TextField::TextField(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &TextField::change);
}

void TextField::mousePressEvent(QMouseEvent* e) {
  QLineEdit::mousePressEvent(e);
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseDown(b, s, x, y); });
}

void TextField::mouseReleaseEvent(QMouseEvent* e) {
  QLineEdit::mouseReleaseEvent(e);
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseUp(b, s, x, y); });
}

// ---- ComboBox -------------------------------------------------------------------------------

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) { emit click(); });
}

void ComboBox::focusInEvent(QFocusEvent* e) {
  QComboBox::focusInEvent(e);
  emit gotFocus();
}

void ComboBox::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  emit lostFocus();
}

// ---- ImageBox -------------------------------------------------------------------------------

ImageBox::ImageBox(QWidget* parent, int width, int height) : QLabel(parent) {
  setFixedSize(width, height);
  setFrameStyle(QFrame::Box | QFrame::Plain);
}

void ImageBox::setPicture(const QImage& p) {
  picture_ = p;
  update();
}

void ImageBox::paintEvent(QPaintEvent* e) {
  QLabel::paintEvent(e);
  if (picture_.isNull()) return;
  QPainter p(this);
  p.drawImage(contentsRect(), picture_);
}

void ImageBox::mousePressEvent(QMouseEvent* e) {
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseDown(b, s, x, y); });
}

void ImageBox::mouseReleaseEvent(QMouseEvent* e) {
  withPosition(e, [this](int b, int s, double x, double y) { emit mouseUp(b, s, x, y); });
}

// ---- Frame ----------------------------------------------------------------------------------

namespace {
constexpr int FrameCaptionIndent = 6;
constexpr int FrameCaptionPadding = 2;  // each side, where the caption breaks the border

QAccessibleInterface* frameAccessible(const QString&, QObject* object) {
  auto* frame = qobject_cast<Frame*>(object);
  return frame ? new QAccessibleWidget(frame, QAccessible::Grouping, frame->caption()) : nullptr;
}
}  // namespace

Frame::Frame(QWidget* parent, const QString& caption) : Panel(parent), caption_(caption) {
  static const bool accessible = (QAccessible::installFactory(frameAccessible), true);
  Q_UNUSED(accessible);
  const int top = caption.isEmpty() ? 2 : fontMetrics().height() + 1;
  setContentsMargins(2, top, 2, 2);
}

QRect Frame::captionRect() const {
  if (caption_.isEmpty()) return QRect();
  return QRect(FrameCaptionIndent, 0, fontMetrics().horizontalAdvance(caption_) + 2 * FrameCaptionPadding,
               fontMetrics().height());
}

void Frame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor face = colour::toQColor(colour::ButtonFace);
  p.fillRect(rect(), face);
  // The etched border: a shadow line with a highlight line one pixel right and down.
  const int top = caption_.isEmpty() ? 0 : fontMetrics().height() / 2;
  const QRect border(0, top, width() - 2, height() - top - 2);
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(border);
  p.setPen(palette().color(QPalette::Light));
  p.drawRect(border.translated(1, 1));
  if (caption_.isEmpty()) return;
  p.fillRect(captionRect(), face);
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(captionRect(), Qt::AlignCenter, caption_);
}

// ---- ShapeBox -------------------------------------------------------------------------------

ShapeBox::ShapeBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void ShapeBox::setDrawMode(int m) {
  drawMode_ = m;
  update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool chosen = drawMode_ == 14;
  p.setPen(QPen(chosen ? QColor(0, 160, 0) : palette().color(QPalette::Mid), chosen ? 3 : 1));
  p.drawRect(rect().adjusted(1, 1, -2, -2));
}
