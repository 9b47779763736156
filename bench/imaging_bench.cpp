// Speed of the adjust panel's filters, the turns and the flips on the 320 x 256 picture and on a
// 4000 x 4000 one, each next to GraphicsMagick's nearest equivalent on the same picture.
#include <functional>
#include <memory>

#include "bench/gm_comparison.h"
#include "raster/adjust.h"
#include "raster/flip.h"
#include "raster/rotate.h"

namespace {

constexpr double kPi = 3.14159265359;
constexpr double kStepDegrees = 22.5;

enum class Kind { Point, Neighbourhood, Other };

struct Job {
  std::string name;
  Kind kind;
  std::function<void(QImage&)> ours;
  std::function<void(Magick::Image&)> gm;
};

// Brightness 0.7 and contrast 0.6 make v' = 1.2 v + 76.4; GraphicsMagick's level gives the same
// line through its black and white points (in its 16-bit quantum).
constexpr double kQuantum = 257.0;
constexpr double kLevelBlack = -76.4 / 1.2 * kQuantum;
constexpr double kLevelWhite = (255.0 - 76.4) / 1.2 * kQuantum;
// Gamma 7 raises v / 255 to 5/7; GraphicsMagick's gamma g raises it to 1/g.
constexpr double kGamma = 7.0;

const std::vector<double> kSharpenKernel{0, -1, 0, -1, 5, -1, 0, -1, 0};
const std::vector<double> kSoftenKernel(9, 1.0 / 9.0);

Job turnJob(int steps, bool clockwise) {
  const double sign = clockwise ? -1.0 : 1.0;
  const float angle = float(sign * steps * kPi / 8);
  // The turn tools keep one rotation for the session, so its table is built once.
  auto rotation = std::make_shared<raster::PolarRotation>();
  return {std::string(clockwise ? "Turn clockwise " : "Turn anticlockwise ") + std::to_string(steps), Kind::Other,
          [=](QImage& p) { p = raster::turnedPicture(p, p.size(), angle, *rotation); },
          [=](Magick::Image& m) { m.rotate(-sign * steps * kStepDegrees); }};
}

std::vector<Job> jobs() {
  std::vector<Job> list{
      {"Brightness+contrast", Kind::Point, [](QImage& p) { raster::brightnessContrast(p, 0.7, 0.6); },
       [](Magick::Image& m) { m.level(kLevelBlack, kLevelWhite, 1.0); }},
      {"Gamma", Kind::Point, [](QImage& p) { raster::gammaCorrect(p, kGamma); },
       [](Magick::Image& m) { m.gamma(kGamma / 5.0); }},
      {"Grey", Kind::Point, [](QImage& p) { raster::grey(p); },
       [](Magick::Image& m) { m.type(Magick::GrayscaleType); }},
      {"Negative", Kind::Point, [](QImage& p) { raster::negative(p); }, [](Magick::Image& m) { m.negate(); }},
      {"Sharpen", Kind::Neighbourhood, [](QImage& p) { raster::sharpen(p, 1); },
       [](Magick::Image& m) { m.convolve(3, kSharpenKernel.data()); }},
      {"Soften", Kind::Neighbourhood, [](QImage& p) { raster::soften(p, 1); },
       [](Magick::Image& m) { m.convolve(3, kSoftenKernel.data()); }},
      {"Flip vertical", Kind::Other, [](QImage& p) { raster::flipVertical(p); }, [](Magick::Image& m) { m.flip(); }},
      {"Flip horizontal", Kind::Other, [](QImage& p) { raster::flipHorizontal(p); },
       [](Magick::Image& m) { m.flop(); }},
  };
  for (const int steps : {1, 4, 7, 8, 12})
    for (const bool clockwise : {true, false}) list.push_back(turnJob(steps, clockwise));
  return list;
}

void registerJobs(const QImage& picture) {
  const Magick::Image magick = bench::toMagick(picture);
  for (const Job& job : jobs()) {
    const std::string name = bench::nameOf(job.name, picture);
    benchmark::RegisterBenchmark((bench::kOurs + name).c_str(), [=](benchmark::State& s) {
      bench::timeOnCopies(s, picture, job.ours);
    })->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark((bench::kGm + name).c_str(), [=](benchmark::State& s) {
      bench::timeOnCopies(s, magick, job.gm);
    })->Unit(benchmark::kMillisecond)->UseRealTime();
  }
  // What the first turn at a new size costs, with the table of angles still to build.
  benchmark::RegisterBenchmark((bench::kOurs + bench::nameOf("First turn", picture)).c_str(), [=](benchmark::State& s) {
    bench::timeOnCopies(s, picture, [](QImage& p) {
      raster::PolarRotation fresh;
      p = raster::turnedPicture(p, p.size(), float(-kPi / 8), fresh);
    });
  })->Unit(benchmark::kMillisecond)->UseRealTime();
}

bench::Target targetOf(const std::string& job) {
  static const std::map<std::string, Kind> kinds = [] {
    std::map<std::string, Kind> m;
    for (const Job& j : jobs()) m[j.name] = j.kind;
    return m;
  }();
  const std::string kernel = job.substr(0, job.find('/'));
  if (job.ends_with("/320x256")) return {2.0, 0};
  const auto kind = kinds.find(kernel);
  if (kind == kinds.end() || kind->second == Kind::Other) return {};
  return {0, kind->second == Kind::Point ? 2.0 : 1.0};
}

}  // namespace

int main(int argc, char** argv) {
  bench::initialiseMagickOnOneCore(argv[0]);
  const QImage base = bench::basePicture();
  registerJobs(base);
  registerJobs(base.scaled(4000, 4000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return bench::runWithComparison(argc, argv, targetOf);
}
