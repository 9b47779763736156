#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The image buffer: holds one picture, loads it from a file of any supported format and is the
// preview of the adjust panel. Start-up gives it a black back colour and a flat appearance.
class PicBuf : public QWidget {
  Q_OBJECT
 public:
  explicit PicBuf(QWidget* parent);
  QString fileName;
  long backColor = 0xFFFFFF;
  int appearance = 0;
  int scrollBars = 0;
  // Reads the file named by `fileName`; false (picture unchanged) when it cannot be read.
  bool load();
  const QImage& picture() const { return picture_; }
  void setPicture(const QImage& p);
 protected:
  void paintEvent(QPaintEvent*) override;
 private:
  QImage picture_;
};
