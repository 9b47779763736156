#include <QDir>
#include <algorithm>
#include <array>

#include "platform/colour.h"
#include "platform/filelists.h"
#include "platform/picturefile.h"
#include "sstvlink/link.h"
#include "sstvlink/programs.h"

using namespace colour::state;

namespace {

constexpr int Boxes = 4;
const QString PassedOver = QStringLiteral("PLR");
const QString NoPageShown = QStringLiteral("R");

// The file names shown in the boxes Image2 .. Image5; an empty one leaves its box empty.
using Page = std::array<QString, Boxes>;

Page pickSorted(const QStringList& sorted, int first, int step) {
  Page page;
  for (int k = 0; k < Boxes; ++k) {
    const int index = first + k * step;
    if (index < 0 || index >= sorted.size()) break;
    page[k] = sorted[index];
  }
  return page;
}

Page pickFromListing(ReceiveOrder order, const QStringList& listing, int count, int skip, int pageNumber) {
  Page page;
  if (count - 1 - skip < 0) return page;
  qsizetype next = 0;
  if (order == ReceiveOrder::ListingFromEnd) {
    next = std::max(0, count - Boxes * pageNumber);
  } else {
    while (next < std::min<qsizetype>(count, listing.size()) && listing[next].contains(PassedOver)) ++next;
    next += skip;
  }
  for (int k = 0; k < Boxes; ++k) {
    if (next < listing.size() && listing[next].contains(PassedOver)) ++next;
    if (order == ReceiveOrder::ListingSkipFirst && k == 0) ++next;
    if (next >= listing.size()) break;
    page[order == ReceiveOrder::ListingReversed ? Boxes - 1 - k : k] = listing[next++];
  }
  return page;
}

// Page `pageNumber` of the directory: `sorted` is its names sorted, `listing` in the platform's
// directory order. From page 2 on, a page that starts past the end shows nothing.
Page pickPage(ReceiveOrder order, const QStringList& sorted, const QStringList& listing, int pageNumber) {
  const int count = int(sorted.size());
  const int start = Boxes * (pageNumber - 1);
  if (count < start) return {};
  switch (order) {
    case ReceiveOrder::SortedFromStart: return pickSorted(sorted, start, 1);
    case ReceiveOrder::SortedFromEnd: return pickSorted(sorted, count - 1 - start - 2, -1);
    default: return pickFromListing(order, listing, count, start, pageNumber);
  }
}

QStringList fileNames(FileListBox* list) {
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  return names;
}

// A file that cannot be read leaves its box empty.
void showReceived(Form1& f, const QString& directory, const Page& page) {
  for (int k = 0; k < Boxes; ++k) {
    if (page[k].isEmpty()) continue;
    f.PicbufVisible->fileName = directory + QLatin1Char('/') + page[k];
    if (f.PicbufVisible->load()) f.stripBox(k + 2)->setPicture(f.PicbufVisible->picture());
  }
}

// ChromaPIX keeps its four panels' pictures under fixed names, in whatever case it wrote them.
void showFixedFiles(Form1& f, const QString& directory) {
  const QDir folder(directory);
  for (int k = 0; k < Boxes; ++k) {
    for (const char* ending : {"bmp", "jpg"}) {
      const QStringList found = folder.entryList({QStringLiteral("CPTEMP0%1.%2").arg(k).arg(QLatin1String(ending))}, QDir::Files);
      QImage picture;
      if (!found.isEmpty() && readPictureFile(folder.filePath(found.first()), &picture)) f.stripBox(k + 2)->setPicture(picture);
    }
    if (k < Boxes - 1) letSystemEventsRun();
  }
}

void tellDirectoryMissing(Form1& f) {
  f.env.dialogs->MsgBox(QStringLiteral("Receive directory not set or not found. Use Setup, \"") + f.sdrx->text() +
                            QLatin1Char('"'),
                        vb::OKOnly, QStringLiteral("RX thumbnails"));
}

}  // namespace

void Form1::Text7_Click() {
  const LinkOperation operation(*this);
  if (!operation.started()) return;
  if (Label37->backColor() == Selected) {
    Label37->setBackColor(Off);
    scrapbookmode = 0;
  }
  Text1->setFocus();
  Text5->setBackColor(Off);
  const SstvProgram& program = *sstvProgramOf(sstvprogram);
  if (program.receiveOrder == ReceiveOrder::None) {
    env.dialogs->MsgBox(QStringLiteral("Not available, no program selected!!"), vb::OKOnly, QStringLiteral("Copy Paste"));
    return;
  }
  Text7->setBackColor(Selected);
  const bool paged = program.receiveOrder != ReceiveOrder::FixedFiles;
  if (paged) HScroll3->show();
  if (paged && Text7->text() == NoPageShown) {
    HScroll3->setValueChecked(1);
    Text7->setText(QStringLiteral("1"));
  }
  for (int n = 2; n <= 5; ++n) stripBox(n)->clearPicture();
  // Another program's directory, or the one listed before, must never stand in for it.
  const QString& entry = savedirs[program.receiveDirectory];
  const QString directory = platform::resolveWindowsPath(entry);
  if (entry.isEmpty() || !File2->setPath(directory)) return tellDirectoryMissing(*this);
  if (!paged) return showFixedFiles(*this, File2->path());
  const QStringList listing = platform::directoryListing(File2->path());
  showReceived(*this, File2->path(), pickPage(program.receiveOrder, fileNames(File2), listing, HScroll3->value()));
}

void Form1::Text7_GotFocus() {
  if (winpixx->isChecked()) {
    Text1->setFocus();
    return;
  }
  if (!simplecopypaste->isChecked() && !w95sstvv->isChecked()) Text7->setBackColor(Selected);
}

void Form1::HScroll3_Change() {
  if (Text7->text() == NoPageShown) return;
  Text7->setText(QString::number(HScroll3->value()));
  letSystemEventsRun();
  Text7->setBackColor(Off);
  Text7_Click();
}

void Form1::HScroll3_GotFocus() {
  HScroll3_Change();
  Text1->setFocus();
}
