#include "app/form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <random>

#include "app/controlkit.h"
#include "app/form2.h"
#include "platform/clipboard.h"
#include "platform/colour.h"
#include "platform/waits.h"
#include "platform/windowlink.h"

namespace {

std::function<double()> defaultRandom() {
  auto engine = std::make_shared<std::mt19937>(std::random_device{}());
  return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

}  // namespace

static void initResources() { Q_INIT_RESOURCE(resources); }

Form1::Form1(Form1Environment e) : env(std::move(e)) {
  initResources();
  if (!env.dialogs) env.dialogs = std::make_shared<QtDialogs>();
  if (!env.random) env.random = defaultRandom();
  if (!env.clock) env.clock = [] { return QDateTime::currentDateTime(); };
  if (env.programDirectory.isEmpty()) env.programDirectory = platform::programDirectory();
  if (!env.clipboard) env.clipboard = std::make_shared<platform::SystemClipboard>();
  if (!env.link) env.link = std::make_shared<platform::XdoWindowLink>();
  setWindowTitle(QStringLiteral("MARVANE"));
  setFont(platform::windowFont());
  buildMainWindow(*this);
}

Form1::~Form1() = default;

bool Form1::isArmed(const QWidget* w) const { return platform::backColor(w) == colour::state::Armed; }

bool Form1::headerMode() const { return makeheader->isChecked() || makeheader16->isChecked(); }

void Form1::closeEvent(QCloseEvent* e) {
  // The window events a send or a scan lets run include this request: the waits on the other
  // program end, and the window closes once the operation is done with the pictures and the
  // clipboard.
  if (linkrunning) {
    closepending = true;
    platform::stopWaiting();
    e->ignore();
    return;
  }
  // A handler that lets window events run may hold controls for something passing (the QSL band
  // forces the outline on): the exit would store them. The close waits until the handler is done.
  if (!unloaded && platform::insideDoEvents()) {
    e->ignore();
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return;
  }
  if (!unloaded) Form_Unload();
  e->accept();
  // Unloading the main window ends the program, even while the help window is still open.
  QCoreApplication::quit();
}
