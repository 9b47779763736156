#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace platform {

// A scanner or camera as SANE lists it.
struct ScanDevice {
  QString name;   // what SANE opens, "test:0"
  QString label;  // what the operator reads: vendor, model and name
};

// A device option set before the scan: its SANE name and its value as text ("Color", "75",
// "yes"). Options the device lacks, or cannot take now, are passed over.
struct ScanOption {
  QByteArray name;
  QByteArray value;
};

struct ScanResult {
  QImage picture;  // Format_RGB32 at the size scanned; null when nothing was scanned
  QString error;   // SANE's text for what ended a failed scan; empty after a scan or a Cancel
};

// The scanner, through SANE. One object for the whole run: SANE is started with it and ended
// with it.
//
//   platform::ScanResult scan = scanner.acquire(this);
//   if (!scan.error.isEmpty()) dialogs.MsgBox(scan.error, vb::OKOnly, ...);
//   else if (!scan.picture.isNull()) ...put scan.picture on the clipboard...
class Scanner {
 public:
  Scanner();
  ~Scanner();
  Scanner(const Scanner&) = delete;
  Scanner& operator=(const Scanner&) = delete;

  QList<ScanDevice> devices() const;

  // The device scans go to; empty means the first one SANE finds.
  const QString& device() const { return device_; }
  void setDevice(const QString& name) { device_ = name; }

  // Lists the devices in a modal dialog; true, and the choice kept, when the operator picks one.
  bool selectSource(QWidget* parent);

  // Scans with `options` on a thread of its own while a modal dialog shows the progress; its
  // Cancel (or Escape) stops the device. Returns when the device has been closed again, or at
  // most a few seconds after the outcome was known, should the driver hang while stopping.
  ScanResult acquire(QWidget* parent);

  // Set in this order before every scan; the device defaults scan almost nothing.
  QList<ScanOption> options{{"mode", "Color"}, {"resolution", "75"}};

  // Called on the UI thread at every progress step with the dialog and the bytes read so far;
  // tests press Cancel through it.
  std::function<void(QDialog& progress, qint64 bytesRead)> onProgress;

 private:
  QString device_;
  QString initError_;
  std::shared_ptr<std::atomic<int>> runningScans_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace platform
