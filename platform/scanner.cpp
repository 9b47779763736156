#include "platform/scanner.h"

#include <sane/sane.h>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {
namespace {

constexpr int kReadChunkBytes = 64 * 1024;
// A picture larger than this is refused as out of memory: at 75 dpi even a 2 m long hand scan
// stays far below it, and a device that ignores the resolution cannot exhaust the memory.
constexpr qint64 kMaxPixels = qint64(64) << 20;
constexpr int kMaxSide = 32767;
constexpr size_t kMaxFrames = 3;  // red, green and blue of a three-pass scanner
constexpr int kMaxStringOptionBytes = 4096;
constexpr int kProgressStepMs = 50;
constexpr int kProgressSteps = 1000;
constexpr qint64 kStuckDeviceGraceMs = 10000;

QString statusText(SANE_Status status) { return QString::fromUtf8(sane_strstatus(status)); }

// ---- Options ----

int optionIndex(SANE_Handle handle, const QByteArray& name) {
  for (SANE_Int i = 1; const SANE_Option_Descriptor* d = sane_get_option_descriptor(handle, i); ++i)
    if (d->name && name == d->name) return i;
  return -1;
}

void setOption(SANE_Handle handle, const ScanOption& option) {
  const int index = optionIndex(handle, option.name);
  const SANE_Option_Descriptor* d = index < 0 ? nullptr : sane_get_option_descriptor(handle, index);
  if (!d || !SANE_OPTION_IS_ACTIVE(d->cap) || !SANE_OPTION_IS_SETTABLE(d->cap)) return;
  SANE_Word word = 0;
  QByteArray text;
  void* value = &word;
  switch (d->type) {
    case SANE_TYPE_BOOL:
      word = option.value == "yes" ? SANE_TRUE : SANE_FALSE;
      break;
    case SANE_TYPE_INT:
      word = option.value.toInt();
      break;
    case SANE_TYPE_FIXED:
      word = SANE_FIX(option.value.toDouble());
      break;
    case SANE_TYPE_STRING:
      if (d->size <= option.value.size() || d->size > kMaxStringOptionBytes) return;
      text = option.value + QByteArray(d->size - option.value.size(), '\0');
      value = text.data();
      break;
    default:
      return;
  }
  if (d->type != SANE_TYPE_STRING && d->size != SANE_Int(sizeof(SANE_Word))) return;  // arrays
  sane_control_option(handle, index, SANE_ACTION_SET_VALUE, value, nullptr);
}

// ---- Frames and the picture ----

struct Frame {
  SANE_Parameters params{};
  QByteArray data;
};

int channelsOf(SANE_Frame format) { return format == SANE_FRAME_RGB ? 3 : 1; }

// The layouts this reader turns into a picture. Depth 1 is defined for gray only (a set bit is
// black); scanimage refuses colour at depth 1 too.
bool isReadable(const SANE_Parameters& p) {
  const bool knownFormat = p.format == SANE_FRAME_GRAY || p.format == SANE_FRAME_RGB || p.format == SANE_FRAME_RED ||
                           p.format == SANE_FRAME_GREEN || p.format == SANE_FRAME_BLUE;
  const bool knownDepth = p.depth == 8 || p.depth == 16 || (p.depth == 1 && p.format == SANE_FRAME_GRAY);
  if (!knownFormat || !knownDepth || p.pixels_per_line < 1 || p.pixels_per_line > kMaxSide || p.lines < -1 ||
      p.lines > kMaxSide)
    return false;
  const qint64 lineBytes = (qint64(p.pixels_per_line) * channelsOf(p.format) * p.depth + 7) / 8;
  return p.bytes_per_line >= lineBytes && p.bytes_per_line <= lineBytes + kReadChunkBytes;
}

// The most bytes a frame may bring: its rows, or for a hand scanner of unknown length as many
// rows as the picture may have.
qint64 frameByteLimit(const SANE_Parameters& p) {
  const qint64 maxRows = std::min<qint64>(kMaxSide, kMaxPixels / p.pixels_per_line);
  return std::min<qint64>(p.lines >= 0 ? p.lines : maxRows, maxRows) * p.bytes_per_line;
}

// Sample `index` of a line scaled to 0-255. Sixteen-bit samples come in the host's byte order.
int sample(const uchar* line, int index, int depth) {
  if (depth == 1) return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255;
  if (depth == 8) return line[index];
  quint16 value;
  std::memcpy(&value, line + 2 * qsizetype(index), sizeof value);
  return value >> 8;
}

void paintFrame(const Frame& frame, QImage& picture) {
  const SANE_Parameters& p = frame.params;
  for (int y = 0; y < picture.height(); ++y) {
    const uchar* line = reinterpret_cast<const uchar*>(frame.data.constData()) + qsizetype(y) * p.bytes_per_line;
    QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      switch (p.format) {
        case SANE_FRAME_GRAY: {
          const int v = sample(line, x, p.depth);
          row[x] = qRgb(v, v, v);
          break;
        }
        case SANE_FRAME_RGB:
          row[x] = qRgb(sample(line, 3 * x, p.depth), sample(line, 3 * x + 1, p.depth), sample(line, 3 * x + 2, p.depth));
          break;
        case SANE_FRAME_RED:
          row[x] = (row[x] & 0xFF00FFFF) | QRgb(sample(line, x, p.depth)) << 16;
          break;
        case SANE_FRAME_GREEN:
          row[x] = (row[x] & 0xFFFF00FF) | QRgb(sample(line, x, p.depth)) << 8;
          break;
        default:
          row[x] = (row[x] & 0xFFFFFF00) | QRgb(sample(line, x, p.depth));
          break;
      }
    }
  }
}

qint64 rowsOf(const Frame& frame) {
  const qint64 received = frame.data.size() / frame.params.bytes_per_line;
  return frame.params.lines >= 0 ? std::min<qint64>(frame.params.lines, received) : received;
}

// One picture from the frames: a single gray or colour frame, or one frame per colour. A frame
// cut short, or frames that do not fit together, are a device fault, not a picture.
SANE_Status assemble(const std::vector<Frame>& frames, QImage& picture) {
  const SANE_Parameters& first = frames.front().params;
  const qint64 rows = rowsOf(frames.front());
  for (const Frame& f : frames) {
    const bool fits = f.params.pixels_per_line == first.pixels_per_line &&
                      f.params.bytes_per_line == first.bytes_per_line && rowsOf(f) == rows;
    const bool whole = f.params.lines < 0 || rowsOf(f) == f.params.lines;
    if (!fits || !whole) return SANE_STATUS_IO_ERROR;
  }
  if (rows == 0) return SANE_STATUS_IO_ERROR;
  picture = QImage(first.pixels_per_line, int(rows), QImage::Format_RGB32);
  picture.fill(Qt::black);
  for (const Frame& f : frames) paintFrame(f, picture);
  return SANE_STATUS_GOOD;
}

// ---- The scan on its own thread ----

// Only cancel() is called from the UI thread: SANE allows sane_cancel at any time, also while
// sane_read blocks on the same handle. The mutex keeps it from reaching a closed handle.
class ScanJob {
 public:
  ScanJob(QByteArray device, QList<ScanOption> options) : device_(std::move(device)), options_(std::move(options)) {}

  void run() {
    SANE_Handle handle = nullptr;
    SANE_Status status = sane_open(device_.constData(), &handle);
    QImage picture;
    if (status == SANE_STATUS_GOOD) {
      publish(handle);
      for (const ScanOption& option : options_) setOption(handle, option);
      std::vector<Frame> frames;
      status = scanFrames(handle, frames);
      if (status == SANE_STATUS_GOOD) status = assemble(frames, picture);
    }
    if (cancelled_ || status == SANE_STATUS_CANCELLED) result_ = {};
    else if (status != SANE_STATUS_GOOD) result_ = {QImage(), statusText(status)};
    else result_ = {picture, QString()};
    outcomeKnown_ = true;
    if (handle) {
      sane_cancel(handle);  // also ends a finished scan, as SANE requires
      publish(nullptr);
      sane_close(handle);
    }
    finished_ = true;
  }

  void cancel() {
    cancelled_ = true;
    std::lock_guard lock(handleMutex_);
    if (handle_) sane_cancel(handle_);
  }

  bool finished() const { return finished_; }
  bool outcomeKnown() const { return outcomeKnown_; }
  qint64 bytesRead() const { return bytesRead_; }
  qint64 bytesExpected() const { return bytesExpected_; }  // -1 while unknown
  // Nothing (as after Cancel) while the device has not answered.
  ScanResult result() const { return outcomeKnown_ ? result_ : ScanResult(); }

 private:
  void publish(SANE_Handle handle) {
    std::lock_guard lock(handleMutex_);
    handle_ = handle;
  }

  SANE_Status scanFrames(SANE_Handle handle, std::vector<Frame>& frames) {
    do {
      if (cancelled_) return SANE_STATUS_CANCELLED;
      SANE_Status status = sane_start(handle);
      Frame frame;
      if (status == SANE_STATUS_GOOD) status = sane_get_parameters(handle, &frame.params);
      if (status != SANE_STATUS_GOOD) return status;
      if (!isReadable(frame.params)) return SANE_STATUS_UNSUPPORTED;
      if (qint64(frame.params.pixels_per_line) * frame.params.lines > kMaxPixels) return SANE_STATUS_NO_MEM;
      if (frames.empty() && frame.params.lines >= 0) {
        const int passes = frame.params.format == SANE_FRAME_GRAY || frame.params.format == SANE_FRAME_RGB ? 1 : 3;
        bytesExpected_ = qint64(frame.params.bytes_per_line) * frame.params.lines * passes;
      }
      status = readFrame(handle, frame);
      if (status != SANE_STATUS_EOF) return status;
      frames.push_back(std::move(frame));
    } while (!frames.back().params.last_frame && frames.size() < kMaxFrames);
    return SANE_STATUS_GOOD;
  }

  // Reads to the end of the frame: SANE_STATUS_EOF when it came whole.
  SANE_Status readFrame(SANE_Handle handle, Frame& frame) {
    const qint64 limit = frameByteLimit(frame.params);
    QByteArray chunk(kReadChunkBytes, Qt::Uninitialized);
    for (;;) {
      if (cancelled_) return SANE_STATUS_CANCELLED;
      SANE_Int length = 0;
      const SANE_Status status = sane_read(handle, reinterpret_cast<SANE_Byte*>(chunk.data()), kReadChunkBytes, &length);
      if (status != SANE_STATUS_GOOD) return status;
      if (length < 0 || length > kReadChunkBytes) return SANE_STATUS_IO_ERROR;
      if (frame.data.size() + length > limit) {
        // A device sending more than it announced: what it announced is all that is kept.
        if (frame.params.lines < 0) return SANE_STATUS_NO_MEM;
        length = SANE_Int(limit - frame.data.size());
      }
      frame.data.append(chunk.constData(), length);
      bytesRead_ += length;
    }
  }

  const QByteArray device_;
  const QList<ScanOption> options_;
  std::mutex handleMutex_;
  SANE_Handle handle_ = nullptr;
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> outcomeKnown_{false};
  std::atomic<bool> finished_{false};
  std::atomic<qint64> bytesRead_{0};
  std::atomic<qint64> bytesExpected_{-1};
  ScanResult result_;
};

// Modal while the scan runs, so nothing else can start a scan or use the picture meanwhile.
// Cancel, Escape and the close box all stop the device. It closes when the device is closed
// again, or, for a driver that hangs while stopping, a few seconds after the outcome is known
// or Cancel was pressed: such a device is left to its thread and the program carries on.
class ScanDialog : public QDialog {
 public:
  ScanDialog(QWidget* parent, ScanJob& job, const std::function<void(QDialog&, qint64)>& onProgress)
      : QDialog(parent), job_(job), onProgress_(onProgress) {
    setWindowTitle(QStringLiteral("Scanning"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(QStringLiteral("Scanning..."), this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 0);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &ScanDialog::cancelScan);
    connect(&timer_, &QTimer::timeout, this, &ScanDialog::step);
    timer_.start(kProgressStepMs);
  }

  void reject() override { cancelScan(); }

 private:
  void cancelScan() {
    cancel_->setEnabled(false);
    label_->setText(QStringLiteral("Cancelling..."));
    if (!stopping_.isValid()) stopping_.start();
    job_.cancel();
  }

  void step() {
    if (job_.outcomeKnown() && !stopping_.isValid()) stopping_.start();
    if (job_.finished() || (stopping_.isValid() && stopping_.elapsed() > kStuckDeviceGraceMs)) {
      accept();
      return;
    }
    const qint64 expected = job_.bytesExpected();
    if (expected > 0) {
      bar_->setRange(0, kProgressSteps);
      bar_->setValue(int(std::min<qint64>(job_.bytesRead() * kProgressSteps / expected, kProgressSteps)));
    }
    if (onProgress_) onProgress_(*this, job_.bytesRead());
  }

  ScanJob& job_;
  const std::function<void(QDialog&, qint64)>& onProgress_;
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  QTimer timer_;
  QElapsedTimer stopping_;
};

}  // namespace

Scanner::Scanner() {
  SANE_Int version = 0;
  const SANE_Status status = sane_init(&version, nullptr);
  if (status != SANE_STATUS_GOOD) initError_ = statusText(status);
}

// A scan thread still stuck inside a driver would crash if SANE were ended under it.
Scanner::~Scanner() {
  if (initError_.isEmpty() && *runningScans_ == 0) sane_exit();
}

QList<ScanDevice> Scanner::devices() const {
  const SANE_Device** list = nullptr;
  QList<ScanDevice> found;
  if (!initError_.isEmpty() || sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD) return found;
  for (int i = 0; list[i]; ++i) {
    const QString name = QString::fromUtf8(list[i]->name);
    found.append({name, QStringLiteral("%1 %2 (%3)").arg(QString::fromUtf8(list[i]->vendor), QString::fromUtf8(list[i]->model), name)});
  }
  return found;
}

bool Scanner::selectSource(QWidget* parent) {
  const QList<ScanDevice> found = devices();
  QStringList labels;
  int current = 0;
  for (const ScanDevice& d : found) {
    if (d.name == device_) current = int(labels.size());
    labels << d.label;
  }
  bool ok = false;
  const QString chosen = QInputDialog::getItem(parent, QStringLiteral("Select Source"), QStringLiteral("Sources:"), labels, current, false, &ok);
  const qsizetype index = labels.indexOf(chosen);
  if (!ok || index < 0) return false;
  device_ = found[index].name;
  return true;
}

ScanResult Scanner::acquire(QWidget* parent) {
  if (!initError_.isEmpty()) return {QImage(), initError_};
  auto job = std::make_shared<ScanJob>(device_.toUtf8(), options);
  ++*runningScans_;
  std::thread([job, running = runningScans_] {
    job->run();
    --*running;
  }).detach();
  ScanDialog dialog(parent, *job, onProgress);
  dialog.exec();
  return job->result();
}

}  // namespace platform
