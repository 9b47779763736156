#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "app/form1.h"
#include "canvas/canvaskit.h"
#include "platform/autoredraw.h"
#include "platform/picturefile.h"
#include "raster/fit.h"

namespace {

const QString LoadFilter = QStringLiteral(
    "All Picture Files (*.*)|*.bmp;*.jpg;*.gif;*.tif;*.tga;*.png;*.pcx;*.dib;*.wmf;*.emf;*.ico;*.cur|Picture Files "
    "(*.bmp)|*.bmp|Picture Files (*.jpg)|*.jpg|Picture Files (*.gif)|*.gif|Picture Files (*.tif)|*.tif|Picture "
    "Files(*.tga)|*.tga|Picture Files(*.png)|*.png|Picture Files(*.pcx)|*.pcx|Picture Files(*.dib)|*.dib|Picture Files "
    "(*.wmf)|*.wmf|Picture Files (*.emf)|*.emf|Icon Files (*.ico)|*.ico|Icon Files (*.cur)|*.cur");
const QString SaveFilter =
    QStringLiteral("TIFF|*.tif|Targa|*.tga|BMP|*.bmp|GIF|*.gif|DIB|*.dib|PCX|*.pcx|JPEG|*.jpg|FIF|*.fif|PNG|*.png");

// The picture is printed this large, in twips, at the printable area's top left.
constexpr double PrintWidthTwips = 11485;
constexpr double PrintHeightTwips = 9372;
constexpr double TwipsPerInch = 1440;

// The save dialog's entries: the extension that chooses each, the buffer's format code it stores
// with, and the key (besides the extension) that preselects it.
struct SaveEntry {
  int filterIndex;
  const char* ext;
  int formatCode;
  const char* codeKey;
};
constexpr SaveEntry SaveEntries[] = {
    {1, "TIF", PicBuf::Tiff, "1"},  {2, "TGA", PicBuf::Targa, "2"}, {3, "BMP", PicBuf::Bmp, "3"},
    {4, "GIF", PicBuf::Gif, "4"},   {5, "DIB", PicBuf::Dib, "5"},   {6, "PCX", PicBuf::Pcx, "6"},
    {7, "JPG", PicBuf::Jpeg, "7"},  {8, "FIF", PicBuf::Fif, ""},    {9, "PNG", PicBuf::Png, "8"},
};
constexpr int DefaultSaveEntry = 3;

QString lastThree(const QString& name) { return name.right(3).toUpper(); }

// FIF is never preselected: neither its extension nor a code names it.
int preselectedEntry(const QString& key) {
  for (const SaveEntry& e : SaveEntries)
    if (e.formatCode != PicBuf::Fif && (key == QLatin1String(e.ext) || key == QLatin1String(e.codeKey)))
      return e.filterIndex;
  return DefaultSaveEntry;
}

// The toolkit reads these endings itself; the image buffer the others; any other ending nothing.
enum class Loader { Toolkit, Buffer, None };
Loader loaderFor(const QString& ending) {
  static const QStringList toolkit = {"BMP", "JPG", "GIF", "DIB", "WMF", "EMF", "ICO", "CUR"};
  static const QStringList buffer = {"TIF", "TGA", "PNG", "PCX"};
  if (toolkit.contains(ending)) return Loader::Toolkit;
  if (buffer.contains(ending)) return Loader::Buffer;
  return Loader::None;
}

}  // namespace

// Reads the chosen file by the loader its ending names; false with the reason when nothing was read.
static bool loadChosenPicture(Form1& f, const QString& path, QImage* picture, QString* reason) {
  switch (loaderFor(f.worktext)) {
    case Loader::Toolkit: return readPictureFile(path, picture, reason);
    case Loader::Buffer:
      f.PicbufVisible->fileName = path;
      if (!f.PicbufVisible->load(reason)) return false;
      *picture = f.PicbufVisible->picture();
      return true;
    case Loader::None: break;
  }
  *reason = QFileInfo(path).fileName() + QStringLiteral(": Load Picture takes no files named *.") +
            QFileInfo(path).suffix();
  return false;
}

// A load that is cancelled or fails is no step: OOPS keeps what it had.
void Form1::loadpic_Click() {
  setNothingPending();
  const QImage before = Picture1->image();
  Picture1->Cls();
  const std::optional<QString> chosen = env.dialogs->ShowOpen(QStringLiteral("Load Image"), LoadFilter, QString());
  if (!chosen || chosen->isEmpty()) {
    if (!Picture3->hasPicture()) Picture3->setPicture(before);
    Text1->setFocus();
    return;
  }
  worktext = lastThree(*chosen);
  QImage loaded;
  QString reason;
  // A picture that cannot be read leaves everything as it was; the operator learns why.
  if (!loadChosenPicture(*this, *chosen, &loaded, &reason)) {
    env.dialogs->MsgBox(QStringLiteral("Picture not loaded. ") + reason, vb::OKOnly, QStringLiteral("Load Image"));
    Text1->setFocus();
    return;
  }
  Picture3->setPicture(loaded);
  const int w = frameWidth();
  QImage frame = Picture1->image();
  raster::fitPicture(frame, loaded, raster::Fit::LoadPicture, w, raster::nearestPixel(loaded, 1, 1));
  drawCommitted(Picture1, [&] { Picture1->PaintPicture(frame, 0, 0, frame.width(), frame.height()); });
  pictureReplaced(before);
  // In Pic in Pic and Overlays the loaded picture is also what the next insert places.
  if (canvaskit::insertMode(*this)) Image6->setPicture(Picture1->picture());
  rotationangle = 0;
  Text1->setFocus();
  platform::DoEvents();
  Command12_Click();
}

void Form1::savepic_Click() {
  PicbufVisible->setPicture(Picture1->image());
  saveimage(PicbufVisible, *env.dialogs);
  File1->refresh();
  QDir::setCurrent(env.programDirectory);
  Text1->setFocus();
}

void Form1::saveimage(PicBuf* buffer, Dialogs& dialog) {
  const QString key =
      buffer->imageFormat == PicBuf::NoFormat ? lastThree(buffer->fileName) : QString::number(buffer->imageFormat);
  const std::optional<SaveChoice> chosen =
      dialog.ShowSave(QStringLiteral("Save Image"), SaveFilter, preselectedEntry(key), buffer->fileName);
  if (chosen && !chosen->path.isEmpty()) {
    const QString ext = lastThree(chosen->path);
    if (buffer->imageFormat == PicBuf::NoFormat) {
      for (const SaveEntry& e : SaveEntries)
        if (ext == QLatin1String(e.ext)) buffer->imageFormat = e.formatCode;
      if (ext == QLatin1String("JPG") && buffer->writeCompression == 0)
        buffer->writeCompression = PicBuf::DefaultJpegQuality;
    }
    buffer->fileName = chosen->path;
    QString reason;
    if (!buffer->store(&reason)) dialog.MsgBox(reason, vb::OKOnly, QStringLiteral("Save Image"));
  }
  // A later save must never write this format under another name.
  buffer->imageFormat = PicBuf::NoFormat;
  buffer->writeCompression = 0;
}

void Form1::printpicture1_Click() {
  const std::unique_ptr<QPrinter> printer = env.dialogs->ShowPrinter();
  if (printer) {
    const double dotsPerTwip = printer->resolution() / TwipsPerInch;
    QPainter page(printer.get());
    page.setRenderHint(QPainter::LosslessImageRendering);
    page.drawImage(QRectF(0, 0, PrintWidthTwips * dotsPerTwip, PrintHeightTwips * dotsPerTwip), Picture1->image());
    page.end();
  }
  Text1->setFocus();
}
