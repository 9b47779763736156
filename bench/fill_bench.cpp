// Speed of the fills on the 320 x 256 picture: the ColFill flood next to GraphicsMagick's
// floodFillColor on the same picture and seed (their pixels compared), PatFil on the same pictures,
// and Blend over a whole-frame insert.
#include "bench/gm_comparison.h"
#include "raster/blend.h"
#include "raster/fill.h"

namespace {

const QRgb kFillColour = qRgb(0, 128, 255);
constexpr int kBlendRatio = 50;

struct FloodCase {
  std::string name;
  QImage picture;
  QPoint seed;  // never on black: GraphicsMagick 1.3.40 leaves a pure black area unfilled
};

std::vector<FloodCase> floodCases(const QImage& base) {
  QImage plain(base.size(), QImage::Format_RGB32);
  plain.fill(qRgb(90, 160, 30));
  return {{"Flood white quadrant", base, {300, 200}}, {"Flood one colour", plain, {160, 128}}};
}

void registerFlood(const FloodCase& c) {
  const QPoint seed = c.seed;
  const auto ours = [seed](QImage& p) { raster::floodFillSurface(p, seed, kFillColour); };
  const auto gm = [seed](Magick::Image& m) {
    m.floodFillColor(seed.x(), seed.y(), Magick::ColorRGB(qRed(kFillColour) / 255.0, qGreen(kFillColour) / 255.0,
                                                          qBlue(kFillColour) / 255.0));
  };
  const QImage picture = c.picture;
  const Magick::Image magick = bench::toMagick(picture);
  const std::string name = bench::nameOf(c.name, picture);
  benchmark::RegisterBenchmark((bench::kOurs + name).c_str(), [=](benchmark::State& s) {
    bench::timeOnCopies(s, picture, ours);
  })->Unit(benchmark::kMicrosecond)->UseRealTime();
  benchmark::RegisterBenchmark((bench::kGm + name).c_str(), [=](benchmark::State& s) {
    bench::timeOnCopies(s, magick, gm);
    // Both fills once more, outside the clock, to show they change the same pixels.
    QImage ourResult = picture;
    ours(ourResult);
    Magick::Image gmResult = magick;
    gm(gmResult);
    s.counters["px differ"] = double(bench::differingPixels(ourResult, bench::fromMagick(gmResult)));
  })->Unit(benchmark::kMicrosecond)->UseRealTime();
}

// PatFil of the flood's seed colour: the white quadrant, and the one-colour picture, where every
// pixel is replaced.
void registerPattern(const FloodCase& c) {
  const QImage picture = c.picture;
  const QImage pattern = picture.mirrored(true, true);
  const QRgb key = picture.pixel(c.seed);
  const std::string name = bench::nameOf("PatFil" + c.name.substr(std::string("Flood").size()), picture);
  benchmark::RegisterBenchmark((bench::kOurs + name).c_str(), [=](benchmark::State& s) {
    bench::timeOnCopies(s, picture, [&](QImage& p) { raster::patternfill(p, key, pattern); });
  })->Unit(benchmark::kMicrosecond)->UseRealTime();
}

void registerBlend(const QImage& base) {
  const QImage pattern = base.mirrored(true, true);
  benchmark::RegisterBenchmark((bench::kOurs + bench::nameOf("Blend", base)).c_str(), [=](benchmark::State& s) {
    bench::timeOnCopies(s, base, [&](QImage& p) { raster::blendArea(p, pattern, p.rect(), kBlendRatio); });
  })->Unit(benchmark::kMicrosecond)->UseRealTime();
}

bench::Target targetOf(const std::string& job) {
  if (job.starts_with("Flood")) return {16.0, 1.0};
  if (job.starts_with("PatFil")) return {16.0, 0};
  return {2.0, 0};
}

}  // namespace

int main(int argc, char** argv) {
  bench::initialiseMagickOnOneCore(argv[0]);
  const QImage base = bench::basePicture();
  for (const FloodCase& c : floodCases(base)) {
    registerFlood(c);
    registerPattern(c);
  }
  registerBlend(base);
  return bench::runWithComparison(argc, argv, targetOf);
}
