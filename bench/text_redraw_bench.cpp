// Cost of redrawing the pending text, which every mouse move over the main picture pays: the
// full redraw with a 400-copy shadow and a bold outline (also for a text far larger than the
// picture, in both directions), a plain print, and the SET that makes such a text part of the
// picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "app/form1.h"
#include "platform/colour.h"

namespace {

// Five lines at size 26 on the 320 x 256 picture, with nothing redrawn yet.
std::unique_ptr<Form1> makeForm(const QString& programDirectory) {
  Form1Environment env;
  env.programDirectory = programDirectory;
  env.dialogs = std::make_shared<QtDialogs>();
  env.random = [] { return 0.0; };
  env.showSplash = false;
  auto form = std::make_unique<Form1>(env);
  Form1& f = *form;
  if (!f.Option1->value()) f.Option1->setValue(true);
  f.Label26->setBackColor(colour::state::SetIdle);
  f.Picture1->setPicture(QImage(320, 256, QImage::Format_RGB32));
  f.Picture1->font.name = QStringLiteral("Arial");
  f.Picture1->font.size = 26;
  f.Picture1->setForeColor(colour::rgb(255, 255, 0));
  f.Text1->setText(QStringLiteral("CQ CQ DE\r\nG4XYZ\r\nSSTV 20M\r\nRSV 595\r\n73 ALL"));
  f.texttoplace = f.Text1->text();
  f.startx = 20;
  f.starty = 2;
  return form;
}

// The heaviest text the operator can make: a 400-copy shadow under a bold outline.
void makeHeavy(Form1& f) {
  f.Option5->setValue(true);
  f.startx = 20;
  f.starty = 2;
  f.Check17->setValue(1);
  f.Check15->setValue(1);
  f.VScroll1->setValueChecked(20);  // depth 400
  f.outlineweight = 2;
  f.shadowcolour = colour::rgb(40, 40, 40);
  f.Label26->setBackColor(colour::state::Armed);
}

void BM_FullRedrawShadow400BoldOutline(benchmark::State& state) {
  QTemporaryDir dir;
  auto form = makeForm(dir.path());
  Form1& f = *form;
  makeHeavy(f);
  if (f.shadowdepth.toInt() != 400) state.SkipWithError("the depth scroll did not set 400 copies");
  for (auto _ : state) {
    f.redrawPendingText();
    benchmark::DoNotOptimize(f.Picture1->drawTarget().constBits());
  }
}
BENCHMARK(BM_FullRedrawShadow400BoldOutline)->Unit(benchmark::kMillisecond);

// 100,000 characters make twenty lines of 1501; only a few dozen of their characters land on the
// picture, however many the printer is given.
void BM_HugeTextRedrawShadow400BoldOutline(benchmark::State& state, bool vertical) {
  QTemporaryDir dir;
  auto form = makeForm(dir.path());
  Form1& f = *form;
  const QString phrase = QStringLiteral("CQ CQ DE G4XYZ 73 ");
  QString text;
  while (text.size() < 100000) text += phrase;
  text.truncate(100000);
  f.texttoplace = text;
  makeHeavy(f);
  if (vertical) {
    f.Label31->setBackColor(colour::state::Armed);
    f.lineheight = f.Picture1->font.size * 1.6;
  }
  for (auto _ : state) {
    f.redrawPendingText();
    benchmark::DoNotOptimize(f.Picture1->drawTarget().constBits());
  }
}
BENCHMARK_CAPTURE(BM_HugeTextRedrawShadow400BoldOutline, horizontal, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HugeTextRedrawShadow400BoldOutline, vertical, true)->Unit(benchmark::kMillisecond);

void BM_PlainPrinttext(benchmark::State& state) {
  QTemporaryDir dir;
  auto form = makeForm(dir.path());
  Form1& f = *form;
  f.Label26->setBackColor(colour::state::Armed);
  for (auto _ : state) {
    f.Picture1->Cls();
    f.printtext();
    benchmark::DoNotOptimize(f.Picture1->drawTarget().constBits());
  }
}
BENCHMARK(BM_PlainPrinttext)->Unit(benchmark::kMicrosecond);

// SET prints the heavy text once more on the persistent layer and commits it.
void BM_SetCommitShadow400BoldOutline(benchmark::State& state) {
  QTemporaryDir dir;
  auto form = makeForm(dir.path());
  Form1& f = *form;
  makeHeavy(f);
  const QImage blank(320, 256, QImage::Format_RGB32);
  for (auto _ : state) {
    state.PauseTiming();
    f.Picture1->setPicture(blank);
    f.startx = 20;
    f.starty = 2;
    f.Label26->setBackColor(colour::state::Armed);
    state.ResumeTiming();
    f.Label26_Click();
    benchmark::DoNotOptimize(f.Picture1->picture().constBits());
  }
}
BENCHMARK(BM_SetCommitShadow400BoldOutline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Every mouse move over a styled preview runs Try: the heavy text redrawn and then striped or
// graded over the whole frame.
namespace {

void styledRedraw(benchmark::State& state, int stylePresses) {
  QTemporaryDir dir;
  auto form = makeForm(dir.path());
  Form1& f = *form;
  makeHeavy(f);
  for (int k = 0; k < stylePresses; ++k) f.Label34_Click();
  if (f.styleapplied != 1) state.SkipWithError("the style button did not put a style on the picture");
  for (auto _ : state) {
    f.redrawPendingText();
    benchmark::DoNotOptimize(f.Picture1->picture().constBits());
  }
}

void BM_StripesRedrawThroughTry(benchmark::State& state) { styledRedraw(state, 1); }
BENCHMARK(BM_StripesRedrawThroughTry)->Unit(benchmark::kMillisecond);

void BM_GradRedrawThroughTry(benchmark::State& state) { styledRedraw(state, 2); }
BENCHMARK(BM_GradRedrawThroughTry)->Unit(benchmark::kMillisecond);

}  // namespace
