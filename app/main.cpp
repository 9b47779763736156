#include <QApplication>

#include "app/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("marvane"));
  Form1 form{Form1Environment{}};
  if (!form.Form_Load()) return 0;
  return app.exec();
}
