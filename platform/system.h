#pragma once

#include <QString>

namespace platform {

// Lets pending window events run.
void DoEvents();
// Whether the events running now are those a handler lets run from inside DoEvents.
bool insideDoEvents();

// A monotonic millisecond clock that wraps like a 32-bit tick count.
quint32 GetTickCount();

// Horizontal twips per pixel of the screen, rounded: 15 at 96 dots per inch.
int twipsPerPixelX();
// The resolution the desktop is set to: Qt draws in logical dots per inch and scales by the
// device pixel ratio it chose for the screen, so their product.
double screenDpi();

// Marvane's program directory: $XDG_DATA_HOME/marvane (default ~/.local/share/marvane), created
// when missing.
QString programDirectory();

// The Wine prefix the external programs run in: $WINEPREFIX, default ~/.wine.
QString winePrefix();

// A Windows path kept in the settings ("c:\Program Files\...") as it lies in the Wine prefix
// (under drive_c), each part matched case-insensitively. A path that is not a Windows path comes
// back unchanged.
QString resolveWindowsPath(const QString& path);

// Held for the whole run: a second instance cannot take it, and it goes with the process however
// that ends.
class InstanceLock {
 public:
  // Why a start may not go on.
  enum class Refusal {
    None,              // the lock is held for this run, or nothing can be written in the folder
    HeldElsewhere,     // another live process holds it
    UnusableLockFile,  // the lock file in the folder cannot be used: see unusableFile()
  };
  InstanceLock() = default;
  ~InstanceLock() { release(); }
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  Refusal tryLock(const QString& directory);
  // After UnusableLockFile: the lock file's path and the system's reason.
  const QString& unusableFile() const { return unusableFile_; }
  const QString& unusableReason() const { return unusableReason_; }

 private:
  // An open file or folder locked for the run; a named file is removed at its end while the name
  // is still its own.
  struct Held {
    int fd = -1;
    QByteArray name;
    void release();
  };
  Refusal tryLockForUser(const QByteArray& folder);
  Refusal tryLockFolder(const QByteArray& folder);
  Refusal tryLockFile(const QByteArray& path);
  Refusal unusable(const QByteArray& path, const QString& reason);
  void release();
  Held forUser_;  // the user's lock on the folder, kept outside it
  Held folder_;   // the folder or the lock file in it
  QString unusableFile_, unusableReason_;
};

}  // namespace platform
