#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/form1.h"

namespace {

// A plain reader for the manual; it belongs to the main window, so it goes when the program ends.
QWidget* makeHelpWindow(QWidget* owner, const QString& html) {
  auto* window = new QWidget(owner, Qt::Window);
  auto* browser = new QTextBrowser(window);
  browser->setHtml(html);
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser);
  window->setWindowTitle(browser->documentTitle());
  window->resize(560, 640);
  return window;
}

}  // namespace

void Form1::helpp_Click() {
  // The file dialogs may have left another directory current.
  QDir::setCurrent(env.programDirectory);
  if (!helpWindow) {
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly)) {
      env.dialogs->MsgBox(QStringLiteral("The help file cannot be found."), vb::OKOnly, QStringLiteral("Help"));
      return;
    }
    helpWindow = makeHelpWindow(this, QString::fromUtf8(file.readAll()));
  }
  helpWindow->show();
  helpWindow->raise();
  helpWindow->activateWindow();
}
