// A window that offers one file to other windows as text/uri-list, the way a desktop's file
// manager does: pressing the mouse in it starts the drag. Display tests move the pointer with
// xdotool from this window to the control that is to take the file.
//   drag_source FILE [TITLE]
// Prints "accepted" or "refused" when a drag ends.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <cstdio>

namespace {

class DragSource : public QLabel {
 public:
  explicit DragSource(const QString& file) : QLabel(QFileInfo(file).fileName()), file_(file) {
    setAlignment(Qt::AlignCenter);
    resize(160, 120);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(file_)});
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const Qt::DropAction done = drag->exec(Qt::CopyAction);
    std::printf("%s\n", done == Qt::IgnoreAction ? "refused" : "accepted");
    std::fflush(stdout);
  }

 private:
  QString file_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE [TITLE]\n", argv[0]);
    return 2;
  }
  DragSource window(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
  window.setWindowTitle(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("drag source"));
  window.show();
  return app.exec();
}
