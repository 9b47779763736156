// Cost of bringing a camera picture into the frame: reading a 4000 x 3000 JPEG and fitting it to
// 320 x 256, the fit alone, and the reduced-scale read a browse thumbnail uses; reading the same
// picture as a PNG.
// GraphicsMagick reads the same files for comparison; the ratios are printed at the end.
#include <Magick++.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/picturefile.h"
#include "raster/fit.h"
#include "bench/camera_picture.h"
#include "bench/ratio_report.h"

namespace {

constexpr int FrameWidth = 320;
const QSize BrowseBox(101, 81);

// A camera picture saved as a JPEG and as a PNG.
struct CameraFiles {
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("camera.jpg"));
  QString png = dir.filePath(QStringLiteral("camera.png"));
  CameraFiles() {
    const QImage picture = bench::cameraPicture(0);
    picture.save(path, "jpeg", 90);
    picture.save(png, "png");
  }
};

const CameraFiles& camera() {
  static const CameraFiles files;
  return files;
}

QImage fitted(const QImage& source) {
  QImage frame(FrameWidth, raster::FrameHeight, QImage::Format_RGB32);
  raster::fitPicture(frame, source, raster::Fit::Correct, FrameWidth, raster::nearestPixel(source, 1, 1));
  return frame;
}

void BM_LoadAndFit(benchmark::State& state) {
  for (auto _ : state) {
    QImage picture;
    if (!readPictureFile(camera().path, &picture)) state.SkipWithError("the JPEG was not read");
    benchmark::DoNotOptimize(fitted(picture).constBits());
  }
}
BENCHMARK(BM_LoadAndFit)->Unit(benchmark::kMillisecond);

void BM_FitOnly(benchmark::State& state) {
  QImage picture;
  readPictureFile(camera().path, &picture);
  for (auto _ : state) benchmark::DoNotOptimize(fitted(picture).constBits());
}
BENCHMARK(BM_FitOnly)->Unit(benchmark::kMillisecond);

void BM_ThumbnailRead(benchmark::State& state) {
  for (auto _ : state) {
    QImage picture;
    if (!readPictureFile(camera().path, &picture, nullptr, BrowseBox)) state.SkipWithError("the JPEG was not read");
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(BM_ThumbnailRead)->Unit(benchmark::kMillisecond);

void read(benchmark::State& state, const QString& path) {
  for (auto _ : state) {
    QImage picture;
    if (!readPictureFile(path, &picture)) state.SkipWithError("the picture was not read");
    benchmark::DoNotOptimize(picture.constBits());
  }
}

void readWithGraphicsMagick(benchmark::State& state, const QString& path) {
  const std::string name = path.toStdString();
  for (auto _ : state) {
    Magick::Image picture;
    picture.read(name);
    benchmark::DoNotOptimize(picture.getConstPixels(0, 0, 1, 1));
  }
}

void BM_Read(benchmark::State& state) { read(state, camera().path); }
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);
void BM_GraphicsMagickRead(benchmark::State& state) { readWithGraphicsMagick(state, camera().path); }
BENCHMARK(BM_GraphicsMagickRead)->Unit(benchmark::kMillisecond);
void BM_ReadPng(benchmark::State& state) { read(state, camera().png); }
BENCHMARK(BM_ReadPng)->Unit(benchmark::kMillisecond);
void BM_GraphicsMagickReadPng(benchmark::State& state) { readWithGraphicsMagick(state, camera().png); }
BENCHMARK(BM_GraphicsMagickReadPng)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return bench::runComparing(argc, argv,
                             {{"GraphicsMagick / Marvane, reading the 4000 x 3000 JPEG", "BM_GraphicsMagickRead", "BM_Read"},
                              {"GraphicsMagick / Marvane, reading the 4000 x 3000 PNG", "BM_GraphicsMagickReadPng", "BM_ReadPng"}});
}
