// What the operator waits for at the SSTV link. The send, from the click to the return of its
// last key, against stand-in programs on a private X display (the benchmark starts one through
// link_bench_session.sh): W95SSTV, whose eight titles are looked for in turn, and WinPix two
// instances, which activates two windows. The time the programs take to act on the keys (the
// settle waits) is reported apart from our own. And a page of received pictures from a directory
// of 1,000, pages 1 and 9, for each way of picking them; GraphicsMagick reading the same four
// JPEGs is timed for comparison and the ratio printed at the end.
#include <Magick++.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>
#include <unistd.h>

#include "app/form1.h"
#include "platform/windowlink.h"
#include "sstvlink/programs.h"
#include "tests/display/support/standin_launch.h"
#include "bench/bench_dialogs.h"
#include "bench/ratio_report.h"

namespace {

constexpr int ReceivedPictures = 1000;

// A main window on a program directory of its own, with a receive directory of 1,000 pictures.
struct Linked {
  QTemporaryDir home;
  QString received = home.filePath(QStringLiteral("received"));
  std::shared_ptr<bench::BenchDialogs> dialogs = std::make_shared<bench::BenchDialogs>();
  std::shared_ptr<platform::XdoWindowLink> link = std::make_shared<platform::XdoWindowLink>();
  std::unique_ptr<Form1> form;

  Linked() {
    QDir().mkpath(received);
    QImage picture(320, 256, QImage::Format_RGB32);
    for (int i = 0; i < ReceivedPictures; ++i) {
      picture.fill(qRgb(i & 0xFF, 100, 200));
      picture.save(receivedFile(i), "jpeg", 85);
    }
    Form1Environment env;
    env.programDirectory = home.path();
    env.dialogs = dialogs;
    env.link = link;
    env.showSplash = false;
    form = std::make_unique<Form1>(env);
    form->Picture1->setPicture(picture);
  }
  QString receivedFile(int i) const { return received + QStringLiteral("/rx%1.jpg").arg(i, 4, 10, QLatin1Char('0')); }
  void choose(int code) {
    const SstvProgram& p = *sstvProgramOf(code);
    (form.get()->*(p.menu))->trigger();
    form->savedirs[p.receiveDirectory] = received;
  }
};

Linked& linked() {
  static Linked l;
  return l;
}

// Stand-in programs (SSTV_STANDIN) showing `titles`, each taking the clipboard's picture on
// `pasteOn`.
class StandIns {
 public:
  StandIns(const QStringList& titles, const QString& pasteOn) {
    for (const QString& title : titles) {
      const QStringList arguments = {"--window-title", title, "--paste-on", pasteOn};
      processes_.push_back(
          std::make_unique<StandInProcess>(folder_.filePath(title), folder_.filePath(title + ".png"), arguments));
    }
    for (auto& p : processes_) ok_ = ok_ && p->ready();
    for (const QString& title : titles) ok_ = ok_ && activateWhenListed(*linked().link, title).has_value();
  }
  bool ok() const { return ok_; }

 private:
  QTemporaryDir folder_;
  std::vector<std::unique_ptr<StandInProcess>> processes_;
  bool ok_ = true;
};

// Our own time from the click to the return of the last key is the iteration's time; the time
// the programs took to act on the keys is the settle counter.
void sendTo(benchmark::State& state, int code, const QStringList& titles, const QString& pasteOn) {
  if (qgetenv("MARVANE_LINK_BENCH_DISPLAY") != "1") return state.SkipWithError("no X display with a window manager");
  Linked& l = linked();
  l.choose(code);
  const StandIns programs(titles, pasteOn);
  if (!programs.ok()) return state.SkipWithError("the stand-in programs did not show");
  double settled = 0;
  for (auto _ : state) {
    const auto settledBefore = l.link->settled();
    const auto start = std::chrono::steady_clock::now();
    l.form->Command3_Click();
    const std::chrono::duration<double> total = std::chrono::steady_clock::now() - start;
    const std::chrono::duration<double> settle = l.link->settled() - settledBefore;
    state.SetIterationTime(total.count() - settle.count());
    settled += settle.count();
  }
  state.counters["settle_ms"] = benchmark::Counter(settled * 1000, benchmark::Counter::kAvgIterations);
}

void BM_SendW95sstv(benchmark::State& state) { sendTo(state, 6, {"W95SSTV - F"}, "ctrl+m,ctrl+v"); }
BENCHMARK(BM_SendW95sstv)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SendWinPixTwoInstances(benchmark::State& state) {
  sendTo(state, 27, {"Receive", "WinPix"}, "alt+shift+a,shift+w,Return,alt,e,p,Return");
}
BENCHMARK(BM_SendWinPixTwoInstances)->UseManualTime()->Unit(benchmark::kMillisecond);

// Text7_Click of page `state.range(1)` for program `state.range(0)`.
void BM_ReceivedPage(benchmark::State& state) {
  Linked& l = linked();
  l.choose(int(state.range(0)));
  l.form->Text7_Click();
  l.form->HScroll3->setValueChecked(int(state.range(1)));
  for (auto _ : state) {
    l.form->Text7_Click();
    if (!l.form->Image2->hasPicture()) state.SkipWithError("the first box stayed empty");
  }
}
BENCHMARK(BM_ReceivedPage)->ArgsProduct({{8, 19, 6, 10}, {1, 9}})->ArgNames({"program", "page"})->Unit(benchmark::kMillisecond);

void BM_GraphicsMagickFourReads(benchmark::State& state) {
  for (auto _ : state)
    for (int i = 0; i < 4; ++i) {
      Magick::Image picture;
      picture.read(linked().receivedFile(i).toStdString());
      benchmark::DoNotOptimize(picture.getConstPixels(0, 0, 1, 1));
    }
}
BENCHMARK(BM_GraphicsMagickFourReads)->Unit(benchmark::kMillisecond);

// Without a display of its own, the benchmark runs itself again inside one.
int runInSession(int argc, char** argv) {
  const QByteArray script =
      QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("link_bench_session.sh")).toLocal8Bit();
  std::vector<char*> arguments = {const_cast<char*>("bash"), const_cast<char*>(script.constData())};
  for (int i = 0; i < argc; ++i) arguments.push_back(argv[i]);
  arguments.push_back(nullptr);
  execvp("bash", arguments.data());
  std::perror("link_bench: cannot run its X session");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("MARVANE_LINK_BENCH_DISPLAY")) return runInSession(argc, argv);
  QApplication app(argc, argv);
  const int result =
      bench::runComparing(argc, argv, {{"GraphicsMagick reading four received JPEGs / Marvane's whole page of them",
                                        "BM_GraphicsMagickFourReads", "BM_ReceivedPage/program:8/page:1"}});
  linked().form.reset();
  return result;
}
