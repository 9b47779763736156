#include <QFile>
#include <QFileInfo>

#include "app/form1.h"
#include "pictures/browserkit.h"
#include "pictures/filetypes.h"
#include "platform/colour.h"

using namespace colour::state;

namespace {

const QString CannotDelete = QStringLiteral("Cannot Delete this file!");

bool isStripBox(int source) { return source >= drag::FirstThumbnail && source < drag::FirstThumbnail + 4; }

// The extension of the last green type label; none while no label is green.
QString saveExtension(const Form1& f) {
  QString ext;
  for (const FileTypeLabel& t : fileTypeLabels)
    if ((f.*t.label)->backColor() == Selected) ext = QString::fromLatin1(t.saveExtension);
  return ext;
}

// Gives the image buffer the dragged picture; false (and the operator told) when there is none
// to give. A file dropped from the desktop is in the buffer already.
bool takeDroppedPicture(Form1& f) {
  if (f.dragsource == drag::MainPicture) {
    if (f.makeheader->isChecked()) {
      f.env.dialogs->MsgBox(QStringLiteral("The main picture cannot be saved while a header is being made."),
                            vb::OKOnly, QString());
      return false;
    }
    f.PicbufVisible->setPicture(f.Picture1->image());
  } else if (isStripBox(f.dragsource)) {
    f.PicbufVisible->setPicture(f.stripBox(f.dragsource)->picture());
  } else if (f.dragsource == drag::Mugshot) {
    f.PicbufVisible->setPicture(f.Image7->picture());
  }
  return true;
}

// The typed name up to its first "."; empty when the operator cancelled or gave none.
QString askFileName(Form1& f, const QString& ext, const QString& title) {
  const std::optional<QString> answer = f.env.dialogs->InputBox(
      QStringLiteral("Enter File Name\r\nClick Cancel to Abort\r\nPicture is saved as ") + ext, title,
      QStringLiteral("0Default"));
  f.worktext = answer.value_or(QString());
  return f.worktext.section(QLatin1Char('.'), 0, 0);
}

bool mayWrite(Form1& f, const QString& name, const QString& path, const QString& title) {
  if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
    f.env.dialogs->MsgBox(name + QStringLiteral(" is not a file name: it holds \"/\" or \"\\\"."), vb::OKOnly, title);
    return false;
  }
  return !QFile::exists(path) ||
         f.env.dialogs->MsgBox(QFileInfo(path).fileName() + QStringLiteral(" exists. Replace it?"),
                               vb::YesNo | vb::DefaultButton2, title) == vb::Yes;
}

// Deletes the file selected in File1 after asking; `fromBox` is the browse box dropped on the bin.
void deleteSelected(Form1& f, ImageBox* fromBox) {
  const QListWidgetItem* item = f.File1->currentItem();
  const QString name = item ? item->text() : QString();
  if (name.isEmpty()) {
    f.env.dialogs->MsgBox(QStringLiteral("No file highlighted!"), vb::OKOnly, QString());
    return f.Text1->setFocus();
  }
  if (f.env.dialogs->MsgBox(QStringLiteral("Delete File?  ") + name, vb::OKCancel | vb::DefaultButton2,
                            QStringLiteral("Delete from ") + f.File1->path()) != vb::OK)
    return f.Text1->setFocus();
  if (fromBox) fromBox->clearPicture();
  const int index = f.File1->currentRow();
  if (!QFile::remove(joinPath(f.File1->path(), name))) {
    f.env.dialogs->MsgBox(CannotDelete, vb::OKOnly, QString());
    return f.Text1->setFocus();
  }
  f.File1->refresh();
  f.File1->setCurrentRow(f.File1->count() >= 2 && index > 1 ? index - 1 : -1);
  f.Text1->setFocus();
}

// The row of `file` in File1; -1 when the list no longer shows it.
int listedRow(const Form1& f, const QString& file) {
  const QFileInfo info(file);
  if (file.isEmpty() || info.path() != f.File1->path()) return -1;
  const QList<QListWidgetItem*> found = f.File1->findItems(info.fileName(), Qt::MatchExactly);
  return found.isEmpty() ? -1 : f.File1->row(found.first());
}

}  // namespace

void Form1::savedroppedpicture() {
  const bool saves = dragsource == drag::Nothing || isStripBox(dragsource) || dragsource == drag::MainPicture ||
                     dragsource == drag::Mugshot;
  if (!saves) return;
  const QString ext = saveExtension(*this);
  PicbufVisible->writeCompression = 0;
  if (!takeDroppedPicture(*this)) return Text1->setFocus();
  if (ext == QLatin1String(".gif")) {
    env.dialogs->MsgBox(QStringLiteral("GIF save not implemented. Use another format."), vb::OKOnly, QString());
    return Text1->setFocus();
  }
  const QString folder = File1->path();
  const QString title = QStringLiteral("Save ") + ext + QStringLiteral(" File to ") + folder;
  const QString name = askFileName(*this, ext, title);
  const QString path = joinPath(folder, name + ext);
  if (worktext.isEmpty() || !mayWrite(*this, name, path, title)) return Text1->setFocus();
  if (ext == QLatin1String(".jpg")) PicbufVisible->writeCompression = PicBuf::DefaultJpegQuality;
  PicbufVisible->fileName = path;
  QString reason;
  if (!PicbufVisible->store(&reason)) {
    env.dialogs->MsgBox(QStringLiteral("Picture not saved. ") + reason, vb::OKOnly, title);
    return Text1->setFocus();
  }
  File1->refresh();
  Text1->setFocus();
  File1->setCurrentRow(-1);
  Label13_Click();
}

void Form1::Command27_Click() { deleteSelected(*this, nullptr); }

// The bin deletes the very file its box shows, wherever the list's selection has gone since.
void Form1::Image16_DragDrop() {
  if (Label43->backColor() == Selected) {
    env.dialogs->MsgBox(QStringLiteral("Cannot delete icon from ") + PicbufVisible->fileName, vb::OKOnly, QString());
    return;
  }
  const int k = dragsource - drag::FirstBrowseThumbnail + 1;
  if (k < 1 || k > 4) return;
  const int row = listedRow(*this, browsethumbfile[k]);
  if (row < 0) {
    env.dialogs->MsgBox(CannotDelete, vb::OKOnly, QString());
    return Text1->setFocus();
  }
  File1->setCurrentRow(row);
  deleteSelected(*this, browseBox(k));
}

// The bin takes only browse boxes: anything else keeps the normal icon.
void Form1::Image16_DragOver(int state) {
  if (headerMode()) return;
  if (state == dragstate::Leave) return iconoff();
  if (state != dragstate::Enter) return;
  const bool refused = isStripBox(dragsource) || dragsource == drag::MainPicture ||
                       dragsource == drag::ImportButton || dragsource == drag::Mugshot;
  if (!refused) return iconon();
  if (QWidget* dragged = draggedControl()) giveNormalIcon(dragged);
}
