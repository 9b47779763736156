#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

// The loading splash: the test pattern with "LOADING ... MARVANE" turning about its middle in
// eighteen frames while the program starts.
class Form2 : public QWidget {
  Q_OBJECT
 public:
  explicit Form2(const QImage& testPattern);
  // Shows the window and plays the whole animation before it returns.
  void Form_Load();
  void Form_Resize();
  // Unloading ends the animation at its next pass; the main window calls it before deleting.
  void Form_Unload();
  void buildlookuptable();
  void drawrotatedtext(int& angle);
  void runmain();
  // What the window shows: the test pattern and the text of the last frame.
  const QImage& screen() const { return canvas_; }

  static inline const QString loadingText = QStringLiteral("LOADING                 MARVANE");
  int splashradius = 0;
  std::array<int, 2> splashcentre{};
  std::array<std::array<int, 2>, 37> splashtable{};
  bool splashstop = false;
  int lastIndex = 0;
  // Tick count of every frame drawn, for whoever wants to check the pace.
  std::vector<quint32> frameTimes;
  // The millisecond tick count that paces the frames; tests give a clock of their own.
  std::function<quint32()> tickCount;

 protected:
  void paintEvent(QPaintEvent*) override;
  void closeEvent(QCloseEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  // Clears the window to its background picture.
  void Cls();

  QImage picture_;
  QImage canvas_;
  long foreColor_ = 0;
};
