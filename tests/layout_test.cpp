#include <QApplication>
#include <QStatusBar>

#include "platform/colour.h"
#include "sstvlink/layout.h"
#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

namespace {

// `scaled` must be `source` stretched or squeezed across: each of its columns one whole source
// column, in order, from the first to the last, never skipping one when stretched.
::testing::AssertionResult isColumnScaled(const QImage& source, const QImage& scaled) {
  if (scaled.height() != source.height())
    return ::testing::AssertionFailure() << "height " << scaled.height();
  int previous = -1;
  for (int x = 0; x < scaled.width(); ++x) {
    const long top = pixelAt(scaled, x, 0);
    const int column = colour::red(top) + 256 * colour::green(top);
    if (column >= source.width()) return ::testing::AssertionFailure() << "column " << x << " is no source column";
    for (int y = 0; y < scaled.height(); ++y)
      if (scaled.pixel(x, y) != source.pixel(column, y))
        return ::testing::AssertionFailure() << "column " << x << " differs from source column " << column << " at row " << y;
    const int step = column - previous;
    const bool stretching = scaled.width() >= source.width();
    if (step < (stretching ? 0 : 1) || step > (stretching ? 1 : 2))
      return ::testing::AssertionFailure() << "column " << x << " takes source column " << column << " after " << previous;
    previous = column;
  }
  if (previous != source.width() - 1) return ::testing::AssertionFailure() << "last column " << previous;
  return ::testing::AssertionSuccess();
}

QString describe(const QWidget* w) {
  const QRect r = w->geometry();
  return QStringLiteral("%1 \"%2\" at %3,%4 %5x%6")
      .arg(QLatin1String(w->metaObject()->className()),
           qobject_cast<const Frame*>(w) ? qobject_cast<const Frame*>(w)->caption() : w->property("text").toString())
      .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Controls that lie over others by design.
bool overlapAllowed(Form1& f, const QWidget* a, const QWidget* b) {
  using Set = std::initializer_list<const QWidget*>;
  const auto among = [](const QWidget* w, Set set) { return std::find(set.begin(), set.end(), w) != set.end(); };
  // Working copies of pictures that are never shown.
  const Set unseen = {f.Picture2, f.Picture3, f.Image1, f.Image6, f.Image13, f.Image14, f.Image15, f.PicbufOriginal, f.PicbufEdit};
  const Set shapes = {f.Shape1, f.Shape2, f.Shape3};  // drawn behind the editing modes' groups
  // Panels that cover the left column while they are open.
  const Set leftPanels = {f.Frame1, f.Frame8, f.Frame2, f.Frame5, f.Frame6, f.Frame9, f.Text2};
  // The header maker, the shown image buffer and the shut-down message cover the main picture.
  const Set picturePanels = {f.Frame7, f.PicbufVisible, f.Label49};
  // The 16-line header strips stand where the 32-line ones do; one set shows at a time.
  const Set strips32 = {f.Picture4, f.Picture5, f.Picture6};
  const Set strips16 = {f.Picture7, f.Picture8, f.Picture9, f.Picture10, f.Picture11, f.Picture12};
  const auto covers = [&](const QWidget* w, const QWidget* other) {
    return among(w, unseen) || (among(w, shapes) && !among(other, shapes)) ||
           (among(w, leftPanels) && other->geometry().right() < f.Picture1->x()) ||
           (among(w, picturePanels) && (other == f.Picture1 || among(other, picturePanels))) ||
           (among(w, strips32) && among(other, strips16));
  };
  return covers(a, b) || covers(b, a);
}

// No two sibling controls of the window or of one of its frames overlap, hidden ones included:
// each shows in some state.
::testing::AssertionResult noControlCoversAnother(Form1& f) {
  std::vector<QWidget*> containers = {f.centralWidget()};
  for (Frame* frame : f.centralWidget()->findChildren<Frame*>(Qt::FindDirectChildrenOnly))
    containers.push_back(frame);
  QStringList overlaps;
  for (QWidget* container : containers) {
    const QList<QWidget*> controls = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i)
      for (qsizetype j = i + 1; j < controls.size(); ++j)
        if (controls[i]->geometry().intersects(controls[j]->geometry()) && !overlapAllowed(f, controls[i], controls[j]))
          overlaps << describe(controls[i]) + QStringLiteral(" and ") + describe(controls[j]);
  }
  if (overlaps.isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << overlaps.join(QLatin1Char('\n')).toStdString();
}

// The button's caption fits its button at the button's font.
::testing::AssertionResult captionFits(CommandButton* button, const QString& caption) {
  button->setCaption(caption);
  const QSize need = button->sizeHint();
  if (need.width() <= button->width() && need.height() <= button->height()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << caption.toStdString() << " needs " << need.width() << "x" << need.height()
                                       << " in " << describe(button).toStdString();
}

// ---- What the operator sees with each panel open ----

// The named controls of the window.
template <typename... W>
std::function<std::vector<QWidget*>(Form1&)> members(W... m) {
  return [=](Form1& f) { return std::vector<QWidget*>{f.*m...}; };
}

// A panel the operator opens: the widgets it lays over the window, which cover whole controls,
// those whose place is fixed across controls (the header maker over the picture or below it, the
// adjusted picture inside the picture's border), and the controls that close it again, which must
// stay in sight above it.
struct Panel {
  const char* name;
  std::function<void(Form1&, ScriptedDialogs&)> open;
  std::function<std::vector<QWidget*>(Form1&)> widgets;
  std::function<std::vector<QWidget*>(Form1&)> closers;
  std::function<std::vector<QWidget*>(Form1&)> across = members();
};

// The prompt of each program's receive directory opens the browser with its own caption on
// Command22.
Panel receivePrompt(const char* name, void (Form1::*prompt)()) {
  return {name, [prompt](Form1& f, ScriptedDialogs&) { (f.*prompt)(); }, members(&Form1::Frame2),
          members(&Form1::Command22, &Form1::Command20)};
}

const std::vector<Panel>& panels() {
  using D = ScriptedDialogs;
  static const std::vector<Panel> all = {
      {"nothing open", [](Form1&, D&) {}, members(), members()},
      {"Save Font", [](Form1& f, D&) { f.savefontandcolor_Click(); }, members(&Form1::Frame1), members(&Form1::Check5)},
      {"Save Color",
       [](Form1& f, D& d) {
         d.colour.answers.push_back(0x123456);
         f.savecolor_Click();
       },
       members(&Form1::Frame8), members(&Form1::Check24)},
      {"Load Pic", [](Form1& f, D&) { f.Command20_Click(); }, members(&Form1::Frame2), members(&Form1::Command20)},
      receivePrompt("ChromaPIX directory", &Form1::setdirchromapix),
      receivePrompt("JVComm directory", &Form1::setdirjvcomm),
      receivePrompt("MScan directory", &Form1::setdirmscan),
      receivePrompt("Roy1 directory", &Form1::setdirroy1),
      receivePrompt("W95SSTV directory", &Form1::setdirw95sstv),
      receivePrompt("WinPix directory", &Form1::setdirwinpix),
      receivePrompt("WinSkan directory", &Form1::setdirwinskan),
      receivePrompt("SSTV32 directory", &Form1::setdirsstv32),
      receivePrompt("MMSSTV directory", &Form1::setdirmmsstv),
      {"Quick set QSL", [](Form1& f, D&) { f.Label54_Click(); }, members(&Form1::Frame5), members(&Form1::Command33)},
      {"QSL defaults", [](Form1& f, D&) { f.qslinfo_Click(); }, members(&Form1::Frame6), members(&Form1::Command34)},
      {"header maker 32", [](Form1& f, D&) { f.makeheader->trigger(); }, members(), members(&Form1::Command36), members(&Form1::Frame7)},
      {"header maker 16", [](Form1& f, D&) { f.makeheader16->trigger(); }, members(), members(&Form1::Command36), members(&Form1::Frame7)},
      {"32-line strips", [](Form1& f, D&) { f.Command35_Click(); }, members(), members(&Form1::Command35), members(&Form1::Frame7)},
      {"16-line strips", [](Form1& f, D&) { f.Command37_Click(); }, members(), members(&Form1::Command37), members(&Form1::Frame7)},
      {"Adjust", [](Form1& f, D&) { f.Command13_Click(); }, members(&Form1::Frame9),
       members(&Form1::Command13, &Form1::Command38), members(&Form1::PicbufVisible)},
      {"messages", [](Form1& f, D&) { f.Command8_Click(); }, members(&Form1::Text2), members(&Form1::Command8)},
      {"Working", [](Form1& f, D&) { f.Frame10->show(); }, members(&Form1::Frame10), members()},
  };
  return all;
}

bool within(const QWidget* w, const std::vector<QWidget*>& set) {
  return std::ranges::any_of(set, [w](const QWidget* p) { return p == w || p->isAncestorOf(w); });
}

QRect inWindow(Form1& f, const QWidget* w) { return QRect(w->mapTo(f.centralWidget(), QPoint(0, 0)), w->size()); }

// The child of the window's central area that holds `w`: what the stacking order is told by.
int stackIndex(Form1& f, const QWidget* w) {
  while (w->parentWidget() != f.centralWidget()) w = w->parentWidget();
  return int(f.centralWidget()->children().indexOf(const_cast<QWidget*>(w)));
}

// The shown controls: those of the window and those of its frames.
std::vector<QWidget*> shownControls(Form1& f) {
  std::vector<QWidget*> controls;
  for (QWidget* w : f.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!w->isVisible()) continue;
    controls.push_back(w);
    if (qobject_cast<Frame*>(w))
      for (QWidget* inner : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (inner->isVisible()) controls.push_back(inner);
  }
  return controls;
}

// Two shown controls overlap only where the open panel lies above what it covers, never over a
// control that closes it, or where a shape frames a group from behind.
::testing::AssertionResult onlyThePanelCovers(Form1& f, const Panel& panel) {
  const std::vector<QWidget*> whole = panel.widgets(f), across = panel.across(f), closers = panel.closers(f);
  std::vector<QWidget*> over = whole;
  over.insert(over.end(), across.begin(), across.end());
  const auto coveredByPanel = [&](QWidget* top, QWidget* below) {
    const auto covering = std::ranges::find_if(over, [top](QWidget* p) { return within(top, {p}); });
    return covering != over.end() && !within(below, over) && !within(below, closers) &&
           stackIndex(f, top) > stackIndex(f, below) &&
           (within(*covering, across) || inWindow(f, *covering).contains(inWindow(f, below)));
  };
  const std::vector<QWidget*> controls = shownControls(f);
  QStringList overlaps;
  for (std::size_t i = 0; i < controls.size(); ++i)
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      QWidget *a = controls[i], *b = controls[j];
      if (a->isAncestorOf(b) || b->isAncestorOf(a) || !inWindow(f, a).intersects(inWindow(f, b))) continue;
      if (bool(qobject_cast<ShapeBox*>(a)) != bool(qobject_cast<ShapeBox*>(b))) continue;
      if (coveredByPanel(a, b) || coveredByPanel(b, a)) continue;
      overlaps << describe(a) + QStringLiteral(" and ") + describe(b);
    }
  for (QWidget* closer : closers) {
    const QRect r = inWindow(f, closer).adjusted(1, 1, -1, -1);
    const auto reaches = [&](QPoint at) {
      QWidget* hit = f.centralWidget()->childAt(at);
      return hit && within(hit, {closer});
    };
    if (!std::ranges::all_of(std::array{r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()}, reaches))
      overlaps << describe(closer) + QStringLiteral(" cannot be clicked everywhere");
  }
  if (overlaps.isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << overlaps.join(QLatin1Char('\n')).toStdString();
}

// The text drawn in `area` with `flags` lies wholly inside it.
::testing::AssertionResult textFits(const QWidget* w, const QRect& area, int flags, const QString& text) {
  const QRect need = w->fontMetrics().boundingRect(area, flags, text);
  if (area.contains(need)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << '"' << text.toStdString() << "\" needs " << need.width() << "x" << need.height()
                                       << " in " << area.width() << "x" << area.height() << " of " << describe(w).toStdString();
}

// Buttons and labels wrap their captions at word breaks; check boxes, option buttons and frames
// keep theirs on one line.
::testing::AssertionResult captionFits(const QWidget* w) {
  if (auto* button = qobject_cast<const CommandButton*>(w))
    return textFits(w, button->captionRect(), Qt::AlignCenter | Qt::TextWordWrap, button->caption());
  if (auto* label = qobject_cast<const QLabel*>(w); label && !qobject_cast<const ImageBox*>(w))
    return textFits(w, label->contentsRect(), int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
  if (auto* frame = qobject_cast<const Frame*>(w)) {
    if (frame->caption().isEmpty() || frame->rect().contains(frame->captionRect())) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "caption cut: " << describe(w).toStdString();
  }
  if (qobject_cast<const QAbstractButton*>(w)) {
    const QSize need = w->sizeHint();
    if (need.width() <= w->width() && need.height() <= w->height()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "needs " << need.width() << "x" << need.height() << ": " << describe(w).toStdString();
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult everyCaptionFits(Form1& f) {
  QStringList cut;
  for (QWidget* w : f.centralWidget()->findChildren<QWidget*>())
    if (w->isVisible())
      if (const auto fits = captionFits(w); !fits) cut << QString::fromStdString(fits.message());
  if (cut.isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << cut.join(QLatin1Char('\n')).toStdString();
}

// Inside its border a shown frame shows its own back colour wherever none of its controls is.
::testing::AssertionResult framesAreOpaque(Form1& f) {
  const QRgb face = QApplication::palette().color(QPalette::Button).rgb();
  for (Frame* frame : f.centralWidget()->findChildren<Frame*>()) {
    if (!frame->isVisible()) continue;
    const QImage seen = f.centralWidget()->grab(inWindow(f, frame)).toImage();
    const QRect inside = frame->contentsRect();
    const QPoint origin = inWindow(f, frame).topLeft();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x) {
        // Only where the frame itself is what a click would reach: neither one of its controls
        // nor a panel lying over it.
        if (f.centralWidget()->childAt(origin + QPoint(x, y)) != frame) continue;
        if (seen.pixel(x, y) != face)
          return ::testing::AssertionFailure() << describe(frame).toStdString() << " shows colour " << std::hex
                                               << seen.pixel(x, y) << " at " << std::dec << x << "," << y;
      }
  }
  return ::testing::AssertionSuccess();
}

class LayoutTest : public FormTest {
 protected:
  // A committed main picture and a working picture, as after an ordinary composition.
  Form1& prepared() {
    Form1& f = build();
    f.Picture1->setPicture(main320);
    f.Image6->setPicture(main320);
    f.Picture2->setPicture(work320);
    return f;
  }
  static std::vector<QPoint> thumbnails(Form1& f) { return {f.Image2->pos(), f.Image3->pos(), f.Image4->pos(), f.Image5->pos()}; }
  // The thumbnails keep their heights and move to `left`.
  static std::vector<QPoint> movedTo(std::vector<QPoint> places, int left) {
    for (QPoint& p : places) p.setX(left);
    return places;
  }
  const QImage main320 = columnPattern(320), work320 = columnPattern(320, 100);
  // The window shown in the 320 layout, or in the 340 one of a wide program, with `panel` open.
  Form1& shownWith(bool wide, const Panel& panel) {
    Form1& f = build();
    (wide ? f.jvcomm1 : f.simplecopypaste)->trigger();
    f.show();
    panel.open(f, *dialogs);
    return f;
  }
};

// Each program of wide pictures stretches the picture and its copies and moves the strip beside
// it; Simple Copy Paste squeezes everything back to the laid-out places.
TEST_F(LayoutTest, WideProgramsStretchAndSimpleCopyPasteSqueezesBack) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (!p.widePicture) continue;
    SCOPED_TRACE(p.code);
    Form1& f = prepared();
    f.w95sstvv->trigger();
    const int narrowWindow = f.width();
    const std::vector<QPoint> places = thumbnails(f);
    const int pictureTop = f.Picture1->y();

    (f.*(p.menu))->trigger();
    EXPECT_EQ(std::tuple(f.Picture1->scaleWidth(), f.Picture2->scaleWidth(), f.Picture3->scaleWidth(), f.Picture1->scaleHeight()),
              std::tuple(340, 340, 340, 256));
    for (const auto& [source, box] : {std::pair(main320, f.Picture1), std::pair(work320, f.Picture2), std::pair(main320, f.Picture3)})
      EXPECT_TRUE(isColumnScaled(source, box->picture()));
    for (const QImage& copy : {f.Picture1->image(), f.Image6->picture(), f.Image13->picture(), f.Image14->picture()})
      EXPECT_TRUE(sameImage(f.Picture1->picture(), copy));
    EXPECT_EQ(std::tuple(f.Picture1->pos(), thumbnails(f), f.width()),
              std::tuple(QPoint(wideLayout.pictureLeft, pictureTop), movedTo(places, wideLayout.thumbnailLeft), narrowWindow + 7));
    // The strip still fits in the window, right of the wider picture.
    EXPECT_LE(f.Picture1->geometry().right(), f.Image2->x());
    EXPECT_LE(f.Image2->geometry().right(), f.centralWidget()->width() - 1);

    f.simplecopypaste->trigger();
    EXPECT_EQ(std::tuple(f.Picture1->scaleWidth(), f.Picture2->scaleWidth(), f.Picture3->scaleWidth()), std::tuple(320, 320, 320));
    // Stretching to 340 doubles 20 columns; squeezing back drops exactly those again.
    EXPECT_TRUE(sameImage(work320, f.Picture2->picture()));
    for (const QImage& copy : {f.Picture1->picture(), f.Image6->picture(), f.Image13->picture(), f.Image14->picture()})
      EXPECT_TRUE(sameImage(main320, copy));
    EXPECT_EQ(std::tuple(f.Picture1->x(), thumbnails(f), f.width()),
              std::tuple(narrowLayout.pictureLeft, movedTo(places, narrowLayout.thumbnailLeft), narrowWindow));
  }
}

TEST_F(LayoutTest, HeaderModeKeepsPictureSizeAndPlace) {
  Form1& f = prepared();
  f.jvcomm1->trigger();
  const QImage wide = f.Picture1->picture();
  for (QAction* header : {f.makeheader, f.makeheader16}) {
    SCOPED_TRACE(header->text().toStdString());
    header->setChecked(true);
    f.simplecopypaste->trigger();
    EXPECT_EQ(std::tuple(f.Picture1->scaleWidth(), f.Picture1->x(), f.Image2->x(), f.Image5->x()),
              std::tuple(340, wideLayout.pictureLeft, wideLayout.thumbnailLeft, wideLayout.thumbnailLeft));
    EXPECT_TRUE(sameImage(wide, f.Picture1->picture()));
    f.jvcomm1->trigger();
    header->setChecked(false);
  }
}

// In both layouts no control covers another, and every caption of every program fits its button.
TEST_F(LayoutTest, NoControlCoversAnotherAndEveryProgramCaptionFits) {
  Form1& f = build();
  for (const SstvProgram& p : sstvPrograms()) {
    SCOPED_TRACE(p.code);
    (f.*(p.menu))->trigger();
    EXPECT_TRUE(noControlCoversAnother(f));
    for (const QString& caption : {p.importCaption, p.importCaptionAtStartUp})
      if (!caption.isNull()) EXPECT_TRUE(captionFits(f.Command1, caption));
    EXPECT_TRUE(captionFits(f.Command3, p.sendCaption));
  }
}

// In both layouts and with each panel open, every shown caption is whole and every control that is
// not under the open panel can be seen and clicked; the panels are opaque.
TEST_F(LayoutTest, EveryPanelAndCaptionShowsWholeInBothLayouts) {
  for (const bool wide : {false, true})
    for (const Panel& panel : panels()) {
      SCOPED_TRACE(std::string(panel.name) + (wide ? " at 340" : " at 320"));
      Form1& f = shownWith(wide, panel);
      for (const auto& shown : {panel.widgets(f), panel.across(f)})
        for (QWidget* w : shown) EXPECT_TRUE(w->isVisible()) << describe(w).toStdString();
      EXPECT_TRUE(everyCaptionFits(f));
      EXPECT_TRUE(onlyThePanelCovers(f, panel));
      EXPECT_TRUE(framesAreOpaque(f));
    }
}

// The captions code gives later fit where those captions show.
TEST_F(LayoutTest, EveryLaterCaptionFits) {
  Form1& f = build();
  const std::vector<std::pair<LabelButton*, QStringList>> captions = {
      {f.Label34, {QStringLiteral(" Normal"), QStringLiteral("  Grad"), QStringLiteral(" Stripes")}},
      {f.Label31, {QStringLiteral("Horiz"), QStringLiteral("Vert")}},
      {f.Label47, {QStringLiteral("Fine outline"), QStringLiteral("Thin outline"), QStringLiteral("Bold outline")}},
  };
  for (const auto& [label, texts] : captions)
    for (const QString& text : texts) {
      label->setCaption(text);
      EXPECT_TRUE(captionFits(label));
    }
}

// The shadow's direction buttons show their 32 by 32 arrows whole.
TEST_F(LayoutTest, ShadowDirectionsShowWholeArrows) {
  Form1& f = build();
  for (OptionButton* direction : {f.Option2, f.Option3, f.Option4, f.Option5}) {
    EXPECT_EQ(direction->iconSize(), QSize(32, 32));
    EXPECT_TRUE(captionFits(direction));
  }
}

// The window is exactly as large as its controls in both layouts: it cannot be resized, has no
// status bar, and no control lies outside it.
TEST_F(LayoutTest, WindowHoldsItsControlsAndNothingMore) {
  Form1& f = build();
  f.show();
  for (QAction* program : {f.simplecopypaste, f.jvcomm1}) {
    program->trigger();
    QApplication::processEvents();
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_EQ(f.size(), f.maximumSize());
    EXPECT_EQ(f.findChild<QStatusBar*>(), nullptr);
    for (QWidget* w : f.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!w->isHidden()) EXPECT_TRUE(f.centralWidget()->rect().contains(w->geometry())) << describe(w).toStdString();
  }
}

// The lines of text drawn in `area` of `shot`: runs of rows holding dark pixels.
int textLines(const QImage& shot, const QRect& area) {
  int lines = 0;
  bool inLine = false;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    bool ink = false;
    for (int x = area.left(); x <= area.right() && !ink; ++x) ink = qGray(shot.pixel(x, y)) < 100;
    lines += ink && !inLine;
    inLine = ink;
  }
  return lines;
}

// A caption wider than its button or label is drawn on as many lines as its words need.
TEST_F(LayoutTest, ButtonsAndLabelsWrapCaptionsAtWordBreaks) {
  QWidget window;
  window.setFont(platform::windowFont());
  auto* label = new LabelButton(QString(), &window);
  auto* button = new CommandButton(QString(), &window);
  const std::vector<std::tuple<QString, int, int>> cases = {
      {QStringLiteral("Reset thumb"), 40, 2}, {QStringLiteral("Scrap   Book"), 40, 2}, {QStringLiteral("Load Msg"), 80, 1},
      {QStringLiteral("For MScan Open chosen Directory (Dbl Click), then Click here to set or click Exit Pic"), 179, 3}};
  for (const auto& [caption, width, lines] : cases) {
    SCOPED_TRACE(caption.toStdString());
    label->setCaption(caption);
    button->setCaption(caption);
    label->setGeometry(0, 0, width, 60);
    button->setGeometry(0, 0, width, 60);
    EXPECT_EQ(textLines(label->grab().toImage(), label->contentsRect()), lines);
    EXPECT_EQ(textLines(button->grab().toImage(), button->captionRect()), lines);
  }
}

}  // namespace
