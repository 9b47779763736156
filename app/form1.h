#pragma once

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/codes.h"
#include "app/variant.h"
#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/filelists.h"
#include "platform/picbuf.h"
#include "platform/picturebox.h"
#include "platform/system.h"
#include "platform/wholefile.h"
#include "qsl/stamps.h"
#include "raster/rotate.h"

class Form2;
struct WindowLayout;
namespace platform {
class Scanner;
class WindowLink;
}  // namespace platform

// What comes back with the main picture's size when a pending picture font ends: Overlays keeps
// the font's name, the other editing modes put Text1's name back, Undo also turns Text mode on,
// and SET moreover colours Text mode's button as chosen.
enum class PictureFontEnd { SizeOnly, Font, FontAndTextMode, FontAndColouredTextMode };

// What the main window takes from outside: where its files live, who answers its questions, and
// the random source of the colour jitter. Tests give their own.
struct Form1Environment {
  QString programDirectory;
  std::shared_ptr<Dialogs> dialogs;
  std::function<double()> random;  // uniform in [0, 1)
  stamps::Clock clock;             // the local time the QSL band and the date stamp print
  // The screen's logical dots per inch as the desktop sets them, before Qt scales for them; the
  // primary screen's when none is given.
  std::function<double()> screenDpi;
  bool showSplash = true;
  // The external SSTV programs are reached only through these two: the system's when none is
  // given.
  std::shared_ptr<platform::Clipboard> clipboard;
  std::shared_ptr<platform::WindowLink> link;
  // Started at the first scan when none is given: SANE takes its time looking for devices.
  std::shared_ptr<platform::Scanner> scanner;
};

// The main window. It owns every control and every piece of shared state for the whole run, and
// its handlers keep the names of the controls and events they serve. The handlers of each
// subsystem live in that subsystem's folder.
class Form1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit Form1(Form1Environment env);
  ~Form1() override;

  // Each banner below holds one subsystem: its handlers, its shared state and the controls its
  // folder builds (in that folder's controls.cpp).

  // ================= 1. Main window, start-up and settings (app/) =================
  // Runs the start-up; false when the program must end at once (a second instance).
  bool Form_Load();
  void Form_Unload();
  void exit_Click();
  void tooltipsoff_Click();
  void tooltipson_Click();
  void helpp_Click();
  // The settings file "restore", written and read item by item.
  // Writers return false (or the names of the files) when a file could not be written; the old
  // file is then left as it was. A file left alone since the start-up is not written, and that is
  // no failure: the start-up has said so.
  bool writeRestore();
  void readRestore();
  // Reads "messages" into Text2; writes Text2 back.
  void readMessages();
  bool writeMessages();
  // Reads one of the program's files by its name at start-up. One that is there but cannot be read
  // is said once, under `title`: `what` it is and the `consequence` for this run. It is then left
  // alone, never written over in this run.
  std::optional<QByteArray> readProgramFile(const QString& name, const QString& title, const QString& what,
                                            const QString& consequence);
  bool leftAlone(const QString& name) const;
  // Keeps `bytes`, read from the program file `name`, in a copy no later start writes over, or, when
  // no copy can be made, leaves the program file `guarded` alone for the run so that the bytes still
  // have a place. The sentence that says which, after a line break: `what`, then where they are.
  QString keepOrLeave(const QString& name, const QByteArray& bytes, const QString& suffix, const QString& what,
                      const QString& guarded);
  // Saves the thirty saved-picture files from savedthumbs.
  QStringList saveThumbFiles();
  // The 91 controls whose tool tips the Help menu switches, in table order (1-based).
  QWidget* tooltipControl(int k) const;

  Form1Environment env;
  platform::InstanceLock instanceLock;
  FilesLeftAlone filesleftalone;
  Form2* splash = nullptr;
  std::array<QString, 96> tooltiptexts;
  int tipsoffflag = 0;
  // Marvane's own manual, shown by Help in one window of its own (made on first use).
  QString helpFile = QStringLiteral(":/help/marvane-help.html");
  QWidget* helpWindow = nullptr;
  Variant keepthumbs;
  int workvalue = 0;
  QString worktext;
  QString messagestext;
  Variant keptsettinga, keptsettingb;
  // Working values of the settings items applied after reading (104, 107, 110, 118-125).
  int restoreHScroll4 = 0, restoreVScroll1 = 0, restoreHScroll5 = 0;
  std::array<QString, 5> styleflags;
  Variant restoreForeColor, restoreBackColor;  // empty when the item was absent
  bool unloaded = false;

  QMenu* fileMenu;
  QAction* exit;
  QMenu* copypaste;  // Setup, filled by the SSTV link
  QMenu* help;
  QAction* helpp;
  QAction* tooltipson;
  QAction* tooltipsoff;
  QLabel* Label49;  // "Shutting Down, saving settings."

  // ================= 2. Picture canvas and editing tools (canvas/) =================
  void Command12_Click();  // Undo
  void Command31_Click();  // OOPS
  void Label26_Click();    // SET
  void Label26_MouseDown(int button, int shift, double x, double y);
  void Option1_Click();
  void Option1_MouseUp(int button, int shift, double x, double y);
  void Option6_Click();
  void Option7_Click();
  void Option8_Click();
  void Picture1_MouseDown(int button, int shift, double x, double y);
  void Picture1_MouseMove(int button, int shift, double x, double y);
  void Picture1_MouseUp(int button, int shift, double x, double y);
  void Text1_Change();
  void Text1_DblClick();
  void Text1_MouseUp(int button, int shift, double x, double y);
  void File1_MouseUp(int button, int shift, double x, double y);
  void HScroll1_Change();
  void VScroll4_Change();
  // Drops on the main picture: of a control of this window, told by headerdrag and dragsource
  // alone, and of files from the desktop. X and Y are in the picture's pixels.
  void Picture1_DragOver(int state);
  void Picture1_DragDrop(double x, double y);
  void Picture1_OLEDragDrop(const QStringList& files, double x, double y);
  bool isArmed(const QWidget* label) const;
  // A header strip is being made while either header menu carries its check mark.
  bool headerMode() const;
  // Empties the drawn-area box: top below bottom, left right of right (Undo and SET).
  void emptyDrawnArea();
  // In Text and Draw mode Image6 is the committed picture that Undo, the text styles and the
  // turns rebuild from, so every step that gives the committed picture back or replaces it
  // refreshes it; in the insert modes it is the insert's source and stays.
  void refreshCommittedCopy();
  // Every step that replaces the main picture at once, without SET, ends here with the picture it
  // ran on: OOPS shows the step's result, brings `before` back at its next press and the result
  // at the one after, and the committed copy follows where the mode keeps one.
  void pictureReplaced(const QImage& before);
  // A Grad or Stripes preview lies in the picture itself, over the clean picture kept in Image6.
  // Wherever unset work is thrown away the clean picture comes back, so that no step takes the
  // preview for committed work.
  void dropStylePreview();
  // Leaving Text mode or the style: the clean picture comes back and no preview is on any more.
  void endStylePreview();
  // SET goes idle without a commit: nothing on the picture is pending any more. A style preview
  // leaves the picture for the erasable layer, where unset text stays until the next clear.
  void setNothingPending();
  // Ends a pending picture font (picturefontmode 400): the main picture's size comes back from
  // normalfontsize and, as `how` says, more with it.
  void endPictureFont(PictureFontEnd how);
  // The touch-up tools: Crop, Fix Col and Remove noise lines, and their turns inside the canvas
  // mouse handlers.
  void Label24_Click();  // Crop
  void Label29_Click();  // Fix Col
  void Label73_Click();  // Remove noise lines
  void cropStart(double x, double y);
  void cropRubberBand(double x, double y);
  void cropFinish(double x, double y);
  void noiseLinePointer();
  void noiseLineRemoval(int button, double x, double y);
  void Label30_MouseDown(int button, int shift, double x, double y);  // Make overlay
  // Bigger and Smaller resize whatever is pending.
  void Command6_MouseDown(int button, int shift, double x, double y);
  void Command10_MouseDown(int button, int shift, double x, double y);
  // Paste.
  void Command7_Click();
  void Command7_MouseDown(int button, int shift, double x, double y);
  // Every drag of a control of this window starts here. A real drag runs its own event loop and
  // the drop has run when it returns; tests replace beginDrag to record the request, or to drop
  // there and then.
  void startQDrag(QWidget* source);
  std::function<void(QWidget*)> beginDrag = [this](QWidget* source) { startQDrag(source); };
  // PatFil or ColFill takes `colour` by a drag from `source` onto the main picture. The drop
  // reads the colour while the drag runs; once it returns, dropped or cancelled, no colour is
  // dragged any more and a later fill must not take this one.
  void dragColour(QWidget* source, long colour);

  int dragsource = 0;
  int headerdrag = 0;
  double startx = 0, starty = 0;
  double picinpicsize = 0;
  double followx = 0, followy = 0;
  double minx = 0, maxx = 0, miny = 0, maxy = 0;
  double shaperadius = 0;
  double shapeaspect = 0;
  int shapescrollvalue = 0;
  double rotationangle = 0;
  int picturefontmode = 0;
  int fullframe = 0;
  int toolmarker = 0;
  int operationmarker = 0;
  long pickedcolour = 0;
  QString fixcolsaved;
  QString markedtext;

  PictureBox* Picture1;  // the main picture
  PictureBox* Picture2;  // working pictures of the main picture's size, never shown
  PictureBox* Picture3;
  ImageBox* Image6;   // committed main picture / insert source
  ImageBox* Image13;  // OOPS before-picture
  ImageBox* Image14;  // OOPS after-picture
  TextBox* Text1;
  static constexpr int Text1Height = 52;  // its height, except while the wildcard search lists in it
  LabelButton* Label26;      // SET
  CommandButton* Command12;  // Undo
  CommandButton* Command31;  // OOPS
  OptionButton* Option1;     // Text
  OptionButton* Option6;     // Overlays
  OptionButton* Option7;     // Pic in Pic
  OptionButton* Option8;     // Draw
  Frame* Frame4;             // the insert modes' group
  ShapeBox* Shape1;
  ShapeBox* Shape2;
  ShapeBox* Shape3;
  TextField* Text6;  // draw width
  ScrollBar* HScroll1;
  ScrollBar* VScroll4;  // shape size
  LabelButton* Label24;  // Crop
  LabelButton* Label29;  // Fix Col
  LabelButton* Label73;  // Remove noise lines
  LabelButton* Label30;  // Make overlay
  CommandButton* Command6;   // Bigger
  CommandButton* Command10;  // Smaller
  CommandButton* Command7;   // Paste

  // ================= 3. Text rendering and styling (text/) =================
  void printtext();
  void textrotate();
  void Check15_Click();  // outline
  void Check15_MouseUp(int button, int shift, double x, double y);
  void Label47_Click();
  void HScroll4_Change();
  void Check16_Click();  // BkGnd
  void Check17_Click();  // shadow
  void Check17_MouseUp(int button, int shift, double x, double y);
  void Option2_Click();
  void Option3_Click();
  void Option4_Click();
  void Option5_Click();
  void OptionDirection_MouseUp(int button, int shift, double x, double y);
  void VScroll1_Change();
  void HScroll5_Change();
  void Text13_MouseDown(int button, int shift, double x, double y);
  void Label31_Click();
  void VScroll3_Change();
  void Label34_Click();  // the style: Normal, Stripes, Grad
  void Label36_Click();  // Try: the Grad and Stripes styles
  void Label36_MouseUp(int button, int shift, double x, double y);
  // A style that is on cannot be drawn with turned text: says so, and true when it refused.
  bool refusesRotatedStyle();
  // `pen` with each channel raised by its own 1 to 5 (red, green, blue drawn in that order), at
  // most 255: the committed text and the style colours differ slightly from the preview.
  long jitteredColour(long pen);
  void drawstyledtext();
  // Paints 63 bands of colour down (or up) the whole of `target`, starting from (r, g, b); the
  // channels come back as the last band left them.
  void gradlines(PictureBox* target, int& r, int& g, int& b, bool fromtop);
  // BkGnd and Grad both force horizontal text. The operator's angle is kept in savedtextangle when
  // the first of them starts and comes back when the last one ends.
  void holdTextHorizontal(bool alreadyHeld);
  void releaseTextHorizontal(bool stillHeld);
  bool gradChosen() const;
  // Fonts and saved fonts F1-F4.
  void changefont_Click();
  // Change Font's steps, also run by a right press on F1-F4: the Save Color panel closes, then the
  // font dialog on the text box's font; OK puts the chosen face and styles on both fonts and gives
  // true, Cancel changes nothing.
  bool chooseFont();
  void Check6_Click();   // Bold
  void Check14_Click();  // Ital
  void Check13_Click();  // U
  void Command21_MouseDown(int button, int shift, double x, double y);  // F1
  void Command25_MouseDown(int button, int shift, double x, double y);  // F2
  void Command23_MouseDown(int button, int shift, double x, double y);  // F3
  void Command24_MouseDown(int button, int shift, double x, double y);  // F4
  void fontbutton();
  // Check1_Click .. Check4_Click: both fonts into saved-font slot 1..4 (F1..F4).
  void SaveFontBox_Click(int slot);
  void savefontandcolor_Click();  // the Save Font panel
  void Check5_Click();            // its EXIT
  // The palette: Label1_MouseDown .. Label12_MouseDown for n = 1..12.
  void Palette_MouseDown(int n, int button, int shift, double x, double y);
  void savecolor_Click();
  // Check20_Click .. Check23_Click: the chosen colour into saved colour 1..4 (C1..C4).
  void SaveColorBox_Click(int k);
  void Check24_Click();  // EXIT of the Save Color panel
  // Picture fonts.
  void Combo3_Click();
  void VScroll2_Change();
  void VScroll2_GotFocus();
  void Text14_MouseDown(int button, int shift, double x, double y);
  void Text14_MouseUp(int button, int shift, double x, double y);
  void Label35_Click();  // Dejag
  // Redraws the pending text in the usual order: clear, position, print, shadow, outline.
  void redrawPendingText();
  // printtext, then the shadow, then the outline (the redraw without clearing or positioning).
  void printShadowOutline();
  // The graded shadow: switched on (Text13 red, showing HScroll5's value), and its base colour
  // taken from HScroll5's value (a value outside 1..5 leaves it).
  void gradedSwitchOn();
  void takeShadowBase();
  // Mouse-up of the outline and shadow boxes: a box just switched off redraws the text with the
  // other layer only.
  void effectBoxMouseUp(const CheckBox* box, void (Form1::*otherLayer)());

  QString texttoplace;
  static constexpr int MaxTextLines = 20;  // lines 1..20 of Text1 are printed
  std::array<QString, MaxTextLines + 1> textlines;
  std::array<double, MaxTextLines + 1> lineys{};
  double lineheight = 0;
  int textangle = 0;
  int savedtextangle = 0;
  int styleapplied = 0;
  std::array<QString, 21> textsettings;
  std::array<QString, 29> savedfonts;
  std::array<QString, 29> savedpicturefonts;
  std::array<QString, 5> savedcolours;
  std::array<QString, 10> savedtext;
  QString normalfontsize;
  Variant outlineweight;
  Variant shadowdepth;
  long shadowcolour = 0;
  int gradedshadow = 0;
  long shadowbase = 0;
  long savedforecolour = 0;

  // Palette: Label1..Label12 at their numbers (9-12 are the saved colours C1-C4)
  std::array<LabelButton*, 13> palette{};
  LabelButton* Label9;
  LabelButton* Label10;
  LabelButton* Label11;
  LabelButton* Label12;
  LabelButton* Label25;  // text colour swatch
  LabelButton* Label45;  // text back colour swatch
  CheckBox* Check15;     // Outline
  CheckBox* Check16;     // BkGnd
  CheckBox* Check17;     // Shadow
  CheckBox* Check6;      // Bold
  CheckBox* Check14;     // Italic
  CheckBox* Check13;     // Underline
  LabelButton* Label47;  // outline weight
  ScrollBar* HScroll4;
  TextField* Text8;
  OptionButton* Option2;  // shadow directions
  OptionButton* Option3;
  OptionButton* Option4;
  OptionButton* Option5;
  ScrollBar* VScroll1;
  TextField* Text13;
  ScrollBar* HScroll5;
  LabelButton* Label31;  // Horiz / Vert
  ScrollBar* VScroll3;
  LabelButton* Label34;  // style
  LabelButton* Label36;  // Try
  LabelButton* Label35;  // Dejag
  CommandButton* Command21;  // F1
  CommandButton* Command25;  // F2
  CommandButton* Command23;  // F3
  CommandButton* Command24;  // F4
  ComboBox* Combo3;          // picture fonts
  TextField* Text14;
  ScrollBar* VScroll2;       // the picture font's number
  Frame* Frame1;  // Save Font
  CheckBox* Check1;   // Save Font to F1 .. F4, EXIT
  CheckBox* Check2;
  CheckBox* Check3;
  CheckBox* Check4;
  CheckBox* Check5;
  Frame* Frame8;  // Save Color
  CheckBox* Check20;  // Save Color to C1 .. C4, EXIT
  CheckBox* Check21;
  CheckBox* Check22;
  CheckBox* Check23;
  CheckBox* Check24;
  QMenu* fontscolors;  // "Fonts/Colors"
  QAction* changefont;
  QAction* savefontandcolor;
  QAction* savecolor;

  // ================= 4. Picture files and thumbnails (pictures/) =================
  // Load, save and print (File menu).
  void loadpic_Click();
  void savepic_Click();
  void printpicture1_Click();
  void setuppicbuf(PicBuf* buffer, bool scrollBars, const QString& fileName = QString());
  // Runs the save dialog and stores the buffer's picture in the format the name asks for.
  void saveimage(PicBuf* buffer, Dialogs& dialog);
  // The saved-thumbnail strip and the scrap book.
  void resetthumbnails();
  void HScroll2_Change();
  void HScroll2_GotFocus();
  void storethumbpage();
  // What strip box n (2..5) shows now is kept in the saved page shown, or in its scrap-book slot.
  void keepStripBox(int n);
  void Text5_Click();
  void Label37_Click();  // Scrap Book
  void Label28_Click();  // Reset thumb
  // Image2_MouseDown .. Image5_MouseDown, _DragOver and _OLEDragDrop of strip box n (2..5).
  void stripBox_MouseDown(int n, int button);
  void stripBox_DragOver(int n, int state);
  void stripBox_OLEDragDrop(int n, const QStringList& files);
  ImageBox* stripBox(int n) const;
  // Reads JustText<n>.bmp into savedthumbs slot n; false (slot unchanged) when it cannot be read.
  bool readSavedPicture(int n);
  // Drag feedback: the control named by `dragsource` gets the drop-allowed or the normal icon.
  void iconon();
  void iconoff();
  QWidget* draggedControl() const;
  // The two drag icons are kept as those of Dir1 (drop allowed) and Drive1 (normal).
  void giveDropAllowedIcon(QWidget* control);
  void giveNormalIcon(QWidget* control);
  // The picture browser.
  void Command20_Click();  // Load Pic / Exit Pic
  void Drive1_Change();
  void Dir1_Change();
  void File1_GotFocus();
  void File1_LostFocus();
  void File1_MouseDown();
  // Label15_Click .. Label44_Click: the type label's pattern lists the files of its type.
  void typeLabel_Click(LabelButton* label);
  void clearformatlabels();
  // Image8_MouseDown .. Image11_MouseDown of browse box k (1..4).
  void browseBox_MouseDown(int k, int button);
  ImageBox* browseBox(int k) const;
  void emptyBrowseBoxes();
  // DragOver, DragDrop and OLEDragDrop of Dir1, Drive1, File1 and Image8 .. Image11, all alike.
  void browseTarget_DragOver(int state);
  void browseTarget_DragDrop();
  void browseTarget_OLEDragDrop(const QStringList& files);
  // Browsing four at a time.
  void Label13_Click();  // Next4
  void Label27_Click();  // Prev4
  // Label13_MouseDown / Label27_MouseDown and their MouseUp: the press colours of Next4 and Prev4.
  void pageLabel_MouseDown(LabelButton* label);
  void pageLabel_MouseUp(LabelButton* label);
  // Shows the page the browse boxes show again, from its first file (after a change of fit).
  void reshowBrowsePage();
  // Loads the selected file into Picture13 and fits it into Picture2; false when nothing was read.
  bool loadbrowsefile();
  // Selects file-list index `index`; one past the end selects the last file (-1 when empty).
  void selectFile(int index);
  // The eight directory buttons: Dir 1 .. Dir 6, Dir 7, Dir 8.
  void Command14_Click();
  void Command15_Click();
  void Command16_Click();
  void Command17_Click();
  void Command18_Click();
  void Command19_Click();
  void Command5_Click();
  void Command30_Click();
  void dirButton_Click(int n);
  CommandButton* dirButton(int n) const;
  // Command14_MouseDown .. Command30_MouseDown of Dir n (1..8).
  void dirButton_MouseDown(int n, int button);
  void resetdirbuttons();
  // `path` into entry `entry` of `savedirs`; a path the settings file cannot keep is refused with
  // a message and the entry stays as it was.
  void storeDirectory(int entry, const QString& path);
  // Saving dropped pictures and deleting files.
  void savedroppedpicture();
  void Command27_Click();  // Del
  void Image16_DragDrop();  // the bin
  void Image16_DragOver(int state);
  // Icons of program files.
  void Label43_Click();
  void grabicons();
  // Scanner input (File menu).
  void selectsource_Click();
  void acquire_Click();
  platform::Scanner& scanner();

  // Slots 1-20 saved thumbnails, 21 the main picture at the last exit, 22-30 the header strips,
  // 31-34 the scrap book. Index 0 is not used.
  std::array<QImage, 35> savedthumbs;
  std::array<QString, 18> savedirs;
  std::array<Variant, 9> dirlistindex;
  Variant lastdirbutton;
  int scrapbookmode = 0;
  // The full name of the file shown in browse box k (1..4): the bin deletes that very file.
  std::array<QString, 5> browsethumbfile;
  // The first file of the page the browse boxes show; -1 while they show none.
  int browsepagestart = -1;
  int iconindex = 0;
  QString iconfile;
  int iconcount = 0;

  ImageBox* Image2;  // the saved-thumbnail strip
  ImageBox* Image3;
  ImageBox* Image4;
  ImageBox* Image5;
  TextField* Text5;  // page
  ScrollBar* HScroll2;
  LabelButton* Label37;  // Scrap Book
  LabelButton* Label28;  // Reset thumb
  QAction* loadpic;
  QAction* savepic;
  QAction* printpicture1;
  CommandButton* Command20;  // Load Pic
  Frame* Frame2;             // the picture browser
  FileListBox* File1;
  DirListBox* Dir1;
  DriveListBox* Drive1;
  ImageBox* Image8;  // browse boxes, in reading order
  ImageBox* Image9;
  ImageBox* Image10;
  ImageBox* Image11;
  ImageBox* Picture13;  // the browsed or dropped picture at its own size, never shown
  LabelButton* Label13;  // Next4
  LabelButton* Label27;  // Prev4
  LabelButton* Label15;  // type labels: BMP
  LabelButton* Label16;  // GIF
  LabelButton* Label17;  // DIB
  LabelButton* Label18;  // JPG
  LabelButton* Label19;  // PCX
  LabelButton* Label20;  // PNG
  LabelButton* Label21;  // TGA
  LabelButton* Label22;  // TIF
  LabelButton* Label23;  // All Pic Files
  LabelButton* Label39;  // RLE
  LabelButton* Label40;  // ICO
  LabelButton* Label41;  // Wmf
  LabelButton* Label42;  // CUR
  LabelButton* Label43;  // Grab Icons
  LabelButton* Label44;  // Emf
  CommandButton* Command14;  // Dir 1 .. Dir 6
  CommandButton* Command15;
  CommandButton* Command16;
  CommandButton* Command17;
  CommandButton* Command18;
  CommandButton* Command19;
  CommandButton* Command5;   // Dir 7
  CommandButton* Command30;  // Dir 8
  CommandButton* Command27;  // Del
  ImageBox* Image16;         // the bin
  CommandButton* Command22;  // receive directory, shown by the SSTV link
  PicBuf* PicbufVisible;
  PicBuf* PicbufOriginal;
  PicBuf* PicbufEdit;
  QAction* selectsource;  // "Twain Select Source"
  QAction* acquire;       // "Twain Acquire"
  QLabel* Label69;        // "        Loading Scanner"

  // ================= 5. SSTV program link (sstvlink/) =================
  void simplecopypaste_Click();
  void panel2panel1_Click();
  void panel2panel2_Click();
  void w95sstvv_Click();
  void winpixx_Click();
  void jvcomm1_Click();
  void mmsstv_Click();
  void winskann_Click();
  void roy11_Click();
  void mscann_Click();
  void winpix2_Click();
  void sstv32e_Click();
  void nomodechecks();
  void checkscreensize();
  // The layout the chosen program needs: wide while a program of 340-pixel pictures is checked.
  const WindowLayout& windowLayout() const;
  // The frame width of full-frame paints, 320 or 340, read from the check marks when painting.
  int frameWidth() const;
  // Runs the menu procedure of a program code; false for a code that is none of the twelve.
  bool chooseProgram(int code);
  // Sending: the send button, the drops on it, and the plain copy.
  void Command3_Click();
  void sendtoprogram();
  void Command3_DragDrop();
  void Command3_OLEDragDrop(const QStringList& files);
  void Command3_DragOver(int state);
  void Command11_Click();
  void Command11_DragDrop();
  void Command11_DragOver(int state);
  // Importing: the import button starts a drag; where it is dropped the import step runs.
  void Command1_MouseDown(int button, int shift, double x, double y);
  // The import step, both halves around the caller's own: keeps the whole clipboard, has the
  // chosen program copy its picture (programs without import keys leave the operator's clipboard
  // as it is), runs `take` with the clipboard's picture then (null when it holds none), and puts
  // the kept clipboard back. When the program's window is not found, or another link operation
  // runs, `take` does not run and the result is false; the operator has been told of a missing
  // window ("Check Setup").
  bool importfromprogram(const std::function<void(const QImage&)>& take);
  // Image2_DragDrop .. Image5_DragDrop: a control of this window dropped on strip box n (2..5).
  void stripBox_DragDrop(int n);
  // The received pictures, four a page.
  void Text7_Click();
  void Text7_GotFocus();
  void HScroll3_Change();
  void HScroll3_GotFocus();
  // Receive directory of the chosen program, set through the picture browser.
  void sdrx_Click();
  void setdirchromapix();
  void setdirjvcomm();
  void setdirmscan();
  void setdirroy1();
  void setdirw95sstv();
  void setdirwinpix();
  void setdirwinskan();
  void setdirsstv32();
  void setdirmmsstv();
  void Command22_Click();
  int sstvprogram = 1;
  // Set while start-up runs a program's menu procedure: it stops before the focus request.
  bool startingUp = false;
  // A send, an import, a page of received pictures or a scan is under way; a close of the window
  // asked for meanwhile waits for its end.
  bool linkrunning = false;
  bool closepending = false;

  CommandButton* Command1;   // import
  CommandButton* Command3;   // send
  CommandButton* Command11;  // "Copy"
  TextField* Text7;          // receive thumbnails
  ScrollBar* HScroll3;
  FileListBox* File2;        // the receive directory's files, never shown
  QAction* simplecopypaste;  // the Setup menu's programs
  QAction* panel2panel1;
  QAction* panel2panel2;
  QAction* jvcomm1;
  QAction* mmsstv;
  QAction* mscann;
  QAction* roy11;
  QAction* sstv32e;
  QAction* w95sstvv;
  QAction* winpixx;
  QAction* winpix2;
  QAction* winskann;
  QAction* sdrx;

  // ================= 6. Headers, QSL overlays and call log (qsl/) =================
  // The call log.
  void readCallLog();
  void Text3_Change();  // the lookup
  void Text3_Click();
  void Text3_KeyPress(int keyascii);
  void Text4_Change();
  void Command2_Click();  // Save Call
  void Command9_Click();  // Delete Call
  void Image7_MouseDown(int button, int shift, double x, double y);
  // Makes `log` the call log in memory, with the copies the searches use.
  void setLogText(const QString& log);
  // Writes "logdata" whole; false, after telling the operator, when the file stays as it was.
  bool writeCallLog(const QString& log);
  // The wildcard search.
  void Label48_Click();
  void wildlogsearch();
  void Text1_MouseDown(int button, int shift, double x, double y);
  // The QSL defaults, the QSL band and the date stamp.
  void qslinfo_Click();
  void Text11_Change();
  void Option9_Click();
  void Option10_Click();
  void Command34_Click();
  void Label54_Click();
  void Text15_Change();
  void Text15_MouseDown(int button, int shift, double x, double y);
  void Text9_Click();
  void Text10_Click();
  void Command33_Click();
  void Command4_Click();   // QSL at Top
  void Command32_Click();  // QSL at Bottom
  void Label53_MouseDown(int button, int shift, double x, double y);
  void Label53_Click();  // date stamp
  // The messages list.
  void Command8_Click();
  // Hides the list and shows Command8 as "Load Msg" again, not bold.
  void hideMessageList();
  void Text2_DblClick();
  void Text2_MouseUp(int button, int shift, double x, double y);
  // The header strips Picture4 .. Picture12 share their handlers; `n` is the box's number.
  void PictureStrip_MouseDown(int n, int button, int shift, double x, double y);
  void PictureStrip_DragOver(int n, int state);
  void PictureStrip_DragDrop(int n);
  void headericonon();
  void headericonoff();
  void headercolor();
  // The header maker and the strip panel.
  void makeheader_Click();
  void makeheader16_Click();
  void Command36_Click();  // DONE
  void Command35_Click();  // 32
  void Command37_Click();  // 16
  // Closes whichever strip panel ("32" or "16") is open.
  void closeStripPanels();

  std::array<QString, 8> qsldefaults;
  QString hoursoffset;
  int qsltop = 0;
  long headerfillcolour = 0;
  QString logtext, logupper;
  double logsize20 = 0;
  QString loginfo;  // the information line last shown or saved: edits of Text4 are told from it
  int logshown = 0;
  int logmsganswer = 0;
  // Text1's own font, kept while the wildcard search lists in a small one; empty while Text1 has it.
  std::optional<QFont> searchfont;
  // The operator's text font, whether Text1 shows it or has lent its font to the search's list; a
  // font set while the list shows is the one Text1 gets back.
  QFont textFont() const;
  void setTextFont(const QFont& font);

  QMenu* headerMenu;
  Frame* Frame7;  // the header maker
  std::array<PictureBox*, 13> headerStrips{};  // Picture4 .. Picture12 at their numbers
  PictureBox* Picture4;
  PictureBox* Picture5;
  PictureBox* Picture6;
  PictureBox* Picture7;
  PictureBox* Picture8;
  PictureBox* Picture9;
  PictureBox* Picture10;
  PictureBox* Picture11;
  PictureBox* Picture12;
  TextBox* Text12;
  CommandButton* Command36;  // DONE
  ImageBox* Image15;  // the main picture before the header maker opened
  CommandButton* Command35;
  CommandButton* Command37;
  QAction* makeheader;
  QAction* makeheader16;
  PictureBox* Picture14;  // the QSL band's panel, never shown
  LabelButton* Label53;  // date
  LabelButton* Label54;  // QSL
  CommandButton* Command8;  // messages
  TextBox* Text2;
  Frame* Frame5;  // Quick set QSL details
  TextField* Text15;  // the station the QSL confirms
  TextField* Text10;  // report
  TextField* Text9;   // band
  CommandButton* Command32;  // QSL at Bottom
  CommandButton* Command4;   // QSL at Top
  CommandButton* Command33;  // Cancel
  Frame* Frame6;  // Default QSL info Settings
  TextField* Text11;  // own callsign
  OptionButton* Option9;   // UTC
  OptionButton* Option10;  // LCL
  TextField* Text16;       // hours offset
  CommandButton* Command34;  // DONE
  QAction* qslinfo;
  TextField* Text3;
  LabelButton* Label48;  // wildcard search
  TextField* Text4;
  CommandButton* Command2;  // Save Call
  CommandButton* Command9;  // Delete Call
  ImageBox* Image7;         // mugshot

  // ================= 7. Image processing (imaging/) =================
  void transparentblit(PictureBox* destination, const QImage& source, const QRect& from, double x, double y,
                       long key);
  void turntransparent();
  void Label32_Click();  // PatFil
  void Label38_Click();  // ColFill
  // PatFil's fill of the colour in textsettings element 7, from Picture2 or the dragged colour.
  void patternfill();
  // ColFill's flood of the area under (x, y) with the colour of textsettings element 7.
  void colfillflood(double x, double y);
  // Blend: the pending insert laid as a ghost, weighted by the slider HScroll7.
  void Label14_Click();
  void blendoverlay();
  void HScroll7_Change();
  void HScroll7_Scroll();
  void Combo1_Click();
  // "Ellipse", "Circle" or "Box": the Things entries that stay pending until SET or Undo.
  static bool isThingsShape(const QString& text);
  void Combo1_GotFocus();
  void Combo1_LostFocus();
  void Check18_Click();
  void Check19_Click();
  // Fitting pictures to the frame: the fill-mode labels and the three fits.
  void Label70_Click();  // Correct
  void Label71_Click();  // Spread Fill
  void Label72_Click();  // Stretch Fill
  void fillModeClick(LabelButton* chosen);
  void olepicturesize();
  // `source` fitted into a black frame of `size` by the green fill mode (black alone with none).
  QImage fitByFillMode(const QImage& source, QSize size) const;
  void imagecorrectaspect();
  void picturecorrectaspect();
  // Draws the pending Things shape named by Combo1's text ("Ellipse", "Circle", "Box") centred on
  // (cx, cy) on Picture1's current layer; any other text draws nothing.
  void drawThingsShape(double cx, double cy);
  // The adjust panel.
  void Command13_Click();  // opens and closes the panel
  void HScroll6_Change();
  void optProcessor_Click(int index);
  void PicbufEdit_Change();
  void Command38_Click();  // Accept and Exit
  void Command39_Click();  // Sharpen
  void Command40_Click();  // Restore to Orig
  void Command41_Click();  // Soften
  void Command42_Click();  // Grey
  void Command43_Click();  // Neg
  void resetprocessing();
  // What Command13_Click and Command38_Click do, for the runs that call them from inside (the
  // handlers themselves ignore clicks while such a run is under way).
  void toggleAdjustPanel();
  void acceptAdjustedPicture();
  // The image buffers lie exactly over the main picture's drawing area, in either layout.
  void placeImageBuffers();
  // A filter on the shown buffer, which then becomes the base of the other two.
  void filterVisibleBuffer(const std::function<bool(PicBuf&)>& filter);
  // Flips and turns.
  void Command28_MouseDown(int button, int shift, double x, double y);  // Flip V
  void Command29_MouseDown(int button, int shift, double x, double y);  // Flip H
  void Command44_MouseDown(int button, int shift, double x, double y);  // Rot >
  void Command46_MouseDown(int button, int shift, double x, double y);  // < Rot
  void rotateclockwise();
  void rotateanticlockwise();
  // Turns the source box's image by `angle` radians (positive anticlockwise) onto the
  // destination's current layer; points no source pixel maps to keep what they held.
  void bmp_rotate(PictureBox* source, PictureBox* destination, float angle);
  int softenamount = 0, sharpenamount = 0;
  int blendratio = 0, blendrest = 0;
  long keycolour = 0;
  double brightnessvalue = 0.5, contrastvalue = 0.5, gammavalue = 5.0;
  bool skipbufevent = false;
  // The direction of the turn in force (tool::Clockwise or tool::Anticlockwise, 0 for none). It
  // is also left in `toolmarker`, which other tools overwrite; the turns read it from here.
  int turndirection = 0;
  // The colour the colour dialog offers: the last one chosen.
  long dialogcolour = 0;
  // Set while a turn, a flip, a Things entry or the adjust panel works on the pictures.
  bool imagingrunning = false;
  raster::PolarRotation rotation;

  ImageBox* Image1;  // the test pattern
  CheckBox* Check18;  // Follow Mouse
  CheckBox* Check19;  // 4 pics in 1
  LabelButton* Label32;  // PatFil
  LabelButton* Label38;  // ColFill
  LabelButton* Label14;  // Blend
  ScrollBar* HScroll7;   // blend ratio
  CommandButton* Command28;  // Flip V
  CommandButton* Command29;  // Flip H
  CommandButton* Command44;  // Rot >
  CommandButton* Command46;  // < Rot
  ComboBox* Combo1;          // Things
  CommandButton* Command13;  // Adjust
  Frame* Frame9;             // the adjust panel
  std::array<OptionButton*, 3> optProcessor{};  // Brightness, Contrast, Gamma
  ScrollBar* HScroll6;
  CommandButton* Command38;  // Accept and Exit
  CommandButton* Command39;  // Sharpen
  CommandButton* Command40;  // Restore to Orig
  CommandButton* Command41;  // Soften
  CommandButton* Command42;  // Grey
  CommandButton* Command43;  // Neg
  Frame* Frame10;            // "Working"
  LabelButton* Label70;      // fill modes
  LabelButton* Label71;
  LabelButton* Label72;

 protected:
  void closeEvent(QCloseEvent* e) override;
};
