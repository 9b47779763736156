#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <sys/resource.h>

#include "platform/childprocess.h"
#include "platform/picturefile.h"
#include "tests/support/checks.h"

// WMF and EMF are drawn by a helper process under limits of time and memory.
namespace {

template <typename... T> QByteArray le(T... values) {
  QByteArray bytes;
  ((bytes += QByteArray(reinterpret_cast<const char*>(&(values = qToLittleEndian(values))), sizeof values)), ...);
  return bytes;
}

// A placeable WMF of `side` pixels square at 96 dpi: a red pen `pen` units wide along `lines` lines.
QByteArray wmf(qint16 side, qint16 pen, int lines) {
  QByteArray body = le<quint32, quint16, qint16, qint16>(5, 0x020B, 0, 0) +            // window origin
                    le<quint32, quint16, qint16, qint16>(5, 0x020C, side, side) +      // window extent
                    le<quint32, quint16, qint16, qint16, qint16, quint32>(8, 0x02FA, 0, pen, 0, 0xFF) +
                    le<quint32, quint16, qint16>(4, 0x012D, 0) + le<quint32, quint16, qint16, qint16>(5, 0x0214, 1, 1);
  for (int i = 0; i < lines; ++i) body += le<quint32, quint16, qint16, qint16>(5, 0x0213, i * 37 % side, i * 53 % side);
  body += le<quint32, quint16>(3, 0);
  QByteArray placeable = le<quint32, quint16, qint16, qint16, qint16, qint16, quint16, quint32>(0x9AC6CDD7, 0, 0, 0, side, side, 96, 0);
  quint16 checksum = 0;
  for (int i = 0; i < 20; i += 2) checksum ^= qFromLittleEndian<quint16>(placeable.constData() + i);
  return placeable + le(checksum) +
         le<quint16, quint16, quint16, quint32, quint16, quint32, quint16>(1, 9, 0x300, 9 + body.size() / 2, 1, 8, 0) + body;
}

// An EMF of 320 pixels square with `records` records in `body`.
QByteArray emf(QByteArray body, int records) {
  body = le<quint32, quint32, qint32, qint32>(27, 16, 0, 0) + body + le<quint32, quint32, quint32, quint32, quint32>(14, 20, 0, 16, 20);
  return le<quint32, quint32, qint32, qint32, qint32, qint32, qint32, qint32, qint32, qint32>(1, 88, 0, 0, 319, 319, 0, 0, 8466, 8466) +
         le<quint32, quint32, quint32, quint32, quint16, quint16>(0x464D4520, 0x10000, 88 + body.size(), records + 3, 2, 0) +
         le<quint32, quint32, quint32, qint32, qint32, qint32, qint32>(0, 0, 0, 320, 320, 85, 85) + body;
}

QByteArray emfLines(int lines) {
  QByteArray body;
  for (int i = 0; i < lines; ++i) body += le<quint32, quint32, qint32, qint32>(54, 16, i * 53 % 320, i * 37 % 320);
  return emf(body, lines);
}

// `brushes` pattern brushes of one pixel, each of another bitmap: emf2svg looks every new one up
// among all before it, comparing as many bytes as the bitmap declares, 64 here.
QByteArray emfBrushes(int brushes) {
  const QByteArray bitmapInfo =
      le<quint32, qint32, qint32, quint16, quint16, quint32, quint32, qint32, qint32, quint32, quint32>(40, 1, 1, 1, 8, 0, 4, 0, 0, 2, 0) +
      QByteArray(8, 0);
  QByteArray body;
  for (int i = 0; i < brushes; ++i)
    body += le<quint32, quint32, quint32, quint32, quint32, quint32, quint32, quint32>(94, 144, 1, 0, 32, 48, 80, 64) + bitmapInfo +
            QByteArray(12, 0) + le<quint32>(i) + QByteArray(48, 0);
  return emf(body, brushes);
}

struct Usage {
  qint64 cpuMs, peakMb;
};
Usage usage(int who) {
  rusage r{};
  getrusage(who, &r);
  return {(r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000 + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000, r.ru_maxrss / 1024};
}

// The drawings that ran without bound in the program's own process (a pen wider than the page on
// a picture of 49 megapixels, a million lines, an EMF whose SVG is 150 MB, brushes that emf2svg
// compares each with all before it) end with a reason within 10 s, 10 s of processor time and
// 2 GB. Normal drawings, up to the largest picture, come back with the very pixels drawn in the
// program before. The program grows by the picture only, a timer of the window keeps firing
// meanwhile, and nothing is left in the temporary folder, even by a helper stopped for its time.
TEST(MetafileLimits, DrawingsEndWithinTheLimitsOrComeBackAsBefore) {
  QTemporaryDir dir;
  const QString temporary = dir.filePath("tmp");
  QDir().mkdir(temporary);
  const ScopedEnv tmpdir("TMPDIR", QFile::encodeName(temporary));
  const struct { QString path; QByteArray bytes; const char* outcome; } cases[] = {
      {dir.filePath("pen.wmf"), wmf(7000, 32000, 15), "took too long to draw"},
      {dir.filePath("lines.wmf"), wmf(320, 1, 1'000'000), "took too long to draw"},
      {dir.filePath("lines.emf"), emfLines(1'000'000), "drawing too large (over 32 MB as SVG)"},
      {dir.filePath("brushes.emf"), emfBrushes(100'000), "took too long to draw"},
      {dir.filePath("large.wmf"), wmf(7000, 1, 15), "1e28bee7d096499e8cc995a037aeaf7c7336d987"},
      {samplePath("base.wmf"), {}, "7fc4dcc5f8457bff9b61195db9c2821c77579f36"},
      {samplePath("base.emf"), {}, "e651f7f6d338b93a871b8b2c08be696373c6a154"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    if (!c.bytes.isEmpty()) writeBytes(c.path, c.bytes);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);
    const Usage self = usage(RUSAGE_SELF), children = usage(RUSAGE_CHILDREN);
    QElapsedTimer clock;
    clock.start();
    QImage picture;
    QString reason;
    const QString outcome = readPictureFile(c.path, &picture, &reason)
        ? QCryptographicHash::hash(QByteArrayView(picture.constBits(), picture.sizeInBytes()), QCryptographicHash::Sha1).toHex()
        : reason.mid(QFileInfo(c.path).fileName().size() + 2);
    EXPECT_EQ(outcome, QLatin1String(c.outcome)) << reason.toStdString();
    EXPECT_LT(clock.elapsed(), 12'000);
    EXPECT_LT(usage(RUSAGE_CHILDREN).cpuMs - children.cpuMs, 12'000);
    EXPECT_LT(usage(RUSAGE_CHILDREN).peakMb, 2048);
    EXPECT_LT(usage(RUSAGE_SELF).peakMb - self.peakMb, 100 + picture.sizeInBytes() / (1 << 20));
    EXPECT_GE(ticks, clock.elapsed() / 500);
    EXPECT_EQ(QDir(temporary).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
  }
}

// While a child works (a picture drawn by the helper), a drop can start nothing: another program's
// drag is refused, and taken again afterwards.
TEST(ChildLimits, DropsAreRefusedWhileAChildWorks) {
  struct Target : QWidget {
    void dragEnterEvent(QDragEnterEvent* e) override { e->acceptProposedAction(); }
  } target;
  target.setAcceptDrops(true);
  QMimeData data;
  data.setText(QStringLiteral("file"));
  const auto taken = [&] {
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::NoButton, {});
    QCoreApplication::sendEvent(&target, &enter);
    return enter.isAccepted();
  };
  std::optional<bool> takenWhileWorking;
  QTimer::singleShot(50, [&] { takenWhileWorking = taken(); });
  platform::runLimited("sleep", {"0.3"}, {}, {}, [](QByteArrayView) { return true; });
  EXPECT_EQ(takenWhileWorking, false);
  EXPECT_TRUE(taken());
}

// Stopping a child stops what it started too.
TEST(ChildLimits, AStoppedChildTakesItsOwnChildrenAlong) {
  QByteArray output;
  const platform::ChildOutcome outcome = platform::runLimited(
      "sh", {"-c", "sleep 60 & echo $!; wait"}, {}, {std::chrono::milliseconds(500)}, [&](QByteArrayView piece) {
        output += piece.toByteArray();
        return true;
      });
  EXPECT_EQ(outcome.end, platform::ChildOutcome::End::TimedOut);
  ASSERT_GT(output.trimmed().toLongLong(), 0);
  const QString sleeper = QStringLiteral("/proc/%1/stat").arg(output.trimmed().toLongLong());
  // Gone, or ended and waiting to be reaped.
  const auto gone = [&] { return !QFile::exists(sleeper) || bytesOf(sleeper).split(')').last().startsWith(" Z"); };
  QElapsedTimer clock;
  clock.start();
  while (!gone() && clock.elapsed() < 2000) QThread::msleep(10);
  EXPECT_TRUE(gone());
}

}  // namespace
