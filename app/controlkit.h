#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "app/form1.h"

// What the subsystems share to build the main window's controls. Each subsystem's folder creates,
// places and wires its own controls in its controls.cpp; the main window runs the builders in
// subsystem order, so a later one may put controls into a frame an earlier one made.
namespace controlkit {

// The panels that open over the top of the left column reach down past the shadow's direction
// buttons, so that what they cover is covered whole.
constexpr int LeftPanelHeight = 217;

template <typename W>
W* place(W* w, int x, int y, int width, int height) {
  w->setGeometry(x, y, width, height);
  return w;
}

LabelButton* label(QWidget* parent, const QString& caption, long back, const QString& tip = QString());
CommandButton* command(QWidget* parent, const QString& caption, const QString& tip = QString());
// A one-line box that shows a state and takes neither typing nor the focus.
TextField* indicator(QWidget* parent, const QString& text, long back, const QString& tip);

// Runs `handler` of the main window whenever `sender` raises `signal`, whatever its arguments.
template <typename Sender, typename Signal>
void on(Sender* sender, Signal signal, Form1& f, void (Form1::*handler)()) {
  QObject::connect(sender, signal, &f, [&f, handler] { (f.*handler)(); });
}

// What a control does with drags that come over it. `dragOver` gets the state (`dragstate::`) of
// drags between the main window's controls; `dragDrop` runs when such a drag is dropped,
// `oleDragDrop` when files are dropped from the desktop (both with the point in the control's own
// pixels). An empty handler is not offered. The pointer shows the icon the dragged control has
// been given by the time the drag enters or moves.
struct DropHandlers {
  std::function<void(int state)> dragOver;
  std::function<void(double x, double y)> dragDrop;
  std::function<void(const QStringList& files, double x, double y)> oleDragDrop;
};
void acceptDrops(QWidget* target, DropHandlers handlers);

}  // namespace controlkit

// Builds every control of the main window, running the subsystems' builders below in order.
void buildMainWindow(Form1& f);
void buildCanvasControls(Form1& f, QWidget* central);
void buildTextControls(Form1& f, QWidget* central);
void buildPicturesControls(Form1& f, QWidget* central);
void buildSstvLinkControls(Form1& f, QWidget* central);
void buildQslControls(Form1& f, QWidget* central);
void buildImagingControls(Form1& f, QWidget* central);
