#pragma once

#include <QImage>
#include <QWidget>
#include <array>

// The loading splash: the test pattern with "LOADING ... MARVANE" turning about its middle in
// eighteen frames while the program starts.
class Form2 : public QWidget {
  Q_OBJECT
 public:
  explicit Form2(const QImage& testPattern);
  // Shows the window and plays the whole animation before it returns.
  void Form_Load();
  void Form_Resize();
  void buildlookuptable();
  void drawrotatedtext(int& angle);
  void runmain();

  static inline const QString loadingText = QStringLiteral("LOADING                 MARVANE");
  int splashradius = 0;
  std::array<int, 2> splashcentre{};
  std::array<std::array<int, 2>, 37> splashtable{};
  bool splashstop = false;
  int lastIndex = 0;
  // Tick count of every frame drawn, for whoever wants to check the pace.
  std::vector<quint32> frameTimes;

 protected:
  void paintEvent(QPaintEvent*) override;
  void closeEvent(QCloseEvent*) override;

 private:
  QImage picture_;
  QImage canvas_;
};
