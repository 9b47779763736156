// Cost of what the operator waits for in the picture browser: a type-label click and Next4 in a
// folder of 1,000 pictures whose first four are 4000 x 3000 camera JPEGs, and Load Picture of such
// a JPEG fitted into the main picture. GraphicsMagick reads the same four JPEGs at the same reduced
// scale for comparison; the ratio is printed at the end.
#include <Magick++.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "app/form1.h"
#include "bench/bench_dialogs.h"
#include "bench/camera_picture.h"
#include "bench/ratio_report.h"

namespace {

constexpr int Pictures = 1000;
constexpr int CameraPictures = 4;

// The folder and a main window browsing it, made once.
struct Browsing {
  QTemporaryDir home;
  QString folder = home.filePath(QStringLiteral("camera"));
  std::shared_ptr<bench::BenchDialogs> dialogs = std::make_shared<bench::BenchDialogs>();
  std::unique_ptr<Form1> form;

  Browsing() {
    QDir().mkpath(folder);
    for (int i = 0; i < CameraPictures; ++i) bench::cameraPicture(i).save(cameraFile(i), "jpeg", 90);
    QImage small(64, 48, QImage::Format_RGB32);
    for (int i = CameraPictures; i < Pictures; ++i) {
      small.fill(qRgb(i & 0xFF, 100, 200));
      small.save(folder + QStringLiteral("/b%1.bmp").arg(i, 4, 10, QLatin1Char('0')));
    }
    dialogs->openAnswer = cameraFile(0);  // the open dialog answers with one file
    Form1Environment env;
    env.programDirectory = home.path();
    env.dialogs = dialogs;
    env.showSplash = false;
    form = std::make_unique<Form1>(env);
    form->Dir1->setPath(folder);
  }
  QString cameraFile(int i) const { return folder + QStringLiteral("/a%1.jpg").arg(i); }
};

Browsing& browsing() {
  static Browsing b;
  return b;
}

void BM_TypeLabelClick(benchmark::State& state) {
  Form1& f = *browsing().form;
  for (auto _ : state) {
    f.Label23->clicked();
    if (!f.Image11->hasPicture()) state.SkipWithError("the fourth box stayed empty");
  }
}
BENCHMARK(BM_TypeLabelClick)->Unit(benchmark::kMillisecond);

void BM_Next4FirstPage(benchmark::State& state) {
  Form1& f = *browsing().form;
  f.Label23->clicked();
  for (auto _ : state) {
    f.File1->setCurrentRow(0);
    f.Label13_Click();
  }
}
BENCHMARK(BM_Next4FirstPage)->Unit(benchmark::kMillisecond);

void BM_LoadPicture(benchmark::State& state) {
  Form1& f = *browsing().form;
  for (auto _ : state) f.loadpic_Click();
}
BENCHMARK(BM_LoadPicture)->Unit(benchmark::kMillisecond);

// GraphicsMagick told the size it is wanted at, so that it too decodes at a reduced scale.
void BM_GraphicsMagickFourReducedReads(benchmark::State& state) {
  for (auto _ : state)
    for (int i = 0; i < CameraPictures; ++i) {
      Magick::Image picture;
      picture.size(Magick::Geometry(320, 256));
      picture.read(browsing().cameraFile(i).toStdString());
      benchmark::DoNotOptimize(picture.getConstPixels(0, 0, 1, 1));
    }
}
BENCHMARK(BM_GraphicsMagickFourReducedReads)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int result = bench::runComparing(argc, argv, {{"GraphicsMagick reading the four JPEGs / Marvane's whole first page",
                                                        "BM_GraphicsMagickFourReducedReads", "BM_Next4FirstPage"}});
  browsing().form.reset();
  return result;
}
