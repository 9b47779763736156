#include <QAccessible>
#include <QApplication>
#include <QSet>

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
  // Panels that cover whole controls of the left column while they are open.
  const Set leftPanels = {f.Frame1, f.Frame8, f.Frame2, f.Frame5, f.Frame6, f.Frame9, f.Text2};
  // The header maker, the shown image buffer and the shut-down message cover the main picture.
  const Set picturePanels = {f.Frame7, f.PicbufVisible, f.Label49};
  // The 16-line header strips stand where the 32-line ones do; one set shows at a time.
  const Set strips32 = {f.Picture4, f.Picture5, f.Picture6};
  const Set strips16 = {f.Picture7, f.Picture8, f.Picture9, f.Picture10, f.Picture11, f.Picture12};
  const auto covers = [&](const QWidget* w, const QWidget* other) {
    return among(w, unseen) || (among(w, shapes) && !among(other, shapes)) ||
           (among(w, leftPanels) && w->geometry().contains(other->geometry())) ||
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

// Opens a panel as the operator does and gives the control that closes it again (none for the
// window as it starts and for "Working", which closes by itself).
struct Panel {
  const char* name;
  std::function<QWidget*(Form1&, ScriptedDialogs&)> open;
};

const std::vector<Panel> panels = {
    {"nothing open", [](Form1&, ScriptedDialogs&) -> QWidget* { return nullptr; }},
    {"Save Font", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.savefontandcolor_Click(), f.Check5; }},
    {"Save Color", [](Form1& f, ScriptedDialogs& d) -> QWidget* {
       d.colour.answers.push_back(0x123456);
       return f.savecolor_Click(), f.Check24;
     }},
    {"Load Pic", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.Command20_Click(), f.Command20; }},
    {"receive directory", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.setdirjvcomm(), f.Command22; }},
    {"Quick set QSL", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.Label54_Click(), f.Command33; }},
    {"QSL defaults", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.qslinfo_Click(), f.Command34; }},
    {"header maker 32", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.makeheader->trigger(), f.Command36; }},
    {"header maker 16", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.makeheader16->trigger(), f.Command36; }},
    {"32-line strips", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.Command35_Click(), f.Command35; }},
    {"16-line strips", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.Command37_Click(), f.Command37; }},
    {"Adjust", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.Command13_Click(), f.Command13; }},
    {"messages", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.Command8_Click(), f.Command8; }},
    {"Working", [](Form1& f, ScriptedDialogs&) -> QWidget* { return f.Frame10->show(), nullptr; }},
};

// A click anywhere on `w` reaches it: nothing lies over any part of it.
bool clickable(Form1& f, QWidget* w) {
  const QRect r(w->mapTo(f.centralWidget(), QPoint(1, 1)), w->size() - QSize(2, 2));
  const auto reaches = [&](QPoint at) {
    const QWidget* hit = f.centralWidget()->childAt(at);
    return hit == w || w->isAncestorOf(hit);
  };
  return std::ranges::all_of(std::array{r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()}, reaches);
}

// The text drawn in `area` with `flags` lies wholly inside it.
::testing::AssertionResult textFits(const QWidget* w, const QRect& area, int flags, const QString& text) {
  const QRect need = w->fontMetrics().boundingRect(area, flags, text);
  if (area.contains(need)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << '"' << text.toStdString() << "\" needs " << need.width() << "x"
                                       << need.height() << " in " << describe(w).toStdString();
}

// Buttons and labels wrap their captions at word breaks; check and option buttons keep theirs on
// one line beside their mark and picture.
::testing::AssertionResult captionFits(const QWidget* w) {
  if (auto* button = qobject_cast<const CommandButton*>(w))
    return textFits(w, button->captionRect(), Qt::AlignCenter | Qt::TextWordWrap, button->caption());
  if (auto* label = qobject_cast<const QLabel*>(w); label && !qobject_cast<const ImageBox*>(w))
    return textFits(w, label->contentsRect(), int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                    label->text());
  if (!qobject_cast<const QAbstractButton*>(w) || QRect(QPoint(), w->size()).contains(QRect(QPoint(), w->sizeHint())))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "too small: " << describe(w).toStdString();
}

// Inside its border a shown frame shows its back colour wherever a click would reach the frame
// itself: neither one of its controls nor a panel over it.
::testing::AssertionResult frameIsOpaque(Form1& f, Frame* frame) {
  const QPoint origin = frame->mapTo(f.centralWidget(), QPoint());
  const QImage seen = f.centralWidget()->grab(QRect(origin, frame->size())).toImage();
  const QRgb face = QApplication::palette().color(QPalette::Button).rgb();
  const QRect inside = frame->contentsRect();
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (f.centralWidget()->childAt(origin + QPoint(x, y)) == frame && seen.pixel(x, y) != face)
        return ::testing::AssertionFailure() << describe(frame).toStdString() << " shows " << std::hex
                                             << seen.pixel(x, y);
  return ::testing::AssertionSuccess();
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

// In both layouts and with each panel open, every shown caption is whole, the panel's closing
// control can be clicked anywhere, every shown frame is opaque and the window keeps its size.
TEST_F(LayoutTest, EveryPanelShowsWholeInBothLayouts) {
  for (const bool wide : {false, true})
    for (const Panel& panel : panels) {
      SCOPED_TRACE(std::string(panel.name) + (wide ? " at 340" : " at 320"));
      Form1& f = build();
      (wide ? f.jvcomm1 : f.simplecopypaste)->trigger();
      f.show();
      QWidget* closer = panel.open(f, *dialogs);
      if (closer) EXPECT_TRUE(clickable(f, closer)) << describe(closer).toStdString();
      for (QWidget* w : f.centralWidget()->findChildren<QWidget*>())
        if (w->isVisible()) EXPECT_TRUE(captionFits(w));
      for (Frame* frame : f.centralWidget()->findChildren<Frame*>())
        if (frame->isVisible()) EXPECT_TRUE(frameIsOpaque(f, frame));
      EXPECT_EQ(f.minimumSize(), f.maximumSize());
    }
}

// Whatever panel is shown, one opened after it comes in front: a click at the centre of each
// panel it shows reaches that panel. So does the first again when its menu is chosen once more.
TEST_F(LayoutTest, APanelOpenedWhileAnotherIsShownComesToTheFront) {
  const auto shownPanels = [](Form1& f) {
    QSet<QWidget*> shown;
    for (QWidget* w : f.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->isVisible() && (qobject_cast<Frame*>(w) || w == f.Text2)) shown.insert(w);
    return shown;
  };
  for (const Panel& before : panels)
    for (const Panel& opened : panels) {
      if (&before == &opened) continue;
      SCOPED_TRACE(std::string(opened.name) + " over " + before.name);
      Form1& f = build();
      f.show();
      const auto inFront = [&f](const QSet<QWidget*>& shown, const char* step) {
        for (QWidget* panel : shown) {
          const QWidget* hit = f.centralWidget()->childAt(panel->geometry().center());
          EXPECT_TRUE(hit == panel || panel->isAncestorOf(hit)) << step << ": " << describe(panel).toStdString();
        }
      };
      before.open(f, *dialogs);
      const QSet<QWidget*> first = shownPanels(f);
      opened.open(f, *dialogs);
      inFront(shownPanels(f) - first, "opened");
      before.open(f, *dialogs);
      // While Adjust is open the menus only move the focus.
      if (f.Frame9->isHidden()) inFront(shownPanels(f) & first, "first again");
    }
}

// To assistive technology a frame is a group named by its caption, as a group box is.
TEST_F(LayoutTest, AFrameIsAGroupNamedByItsCaption) {
  Form1& f = build();
  for (Frame* frame : {f.Frame5, f.Frame6, f.Frame2}) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(frame);
    ASSERT_TRUE(accessible);
    EXPECT_EQ(std::tuple(accessible->role(), accessible->text(QAccessible::Name)),
              std::tuple(QAccessible::Grouping, frame->caption()));
  }
}

// The captions code gives later, and the shadow's 32 by 32 arrows, fit where they show.
TEST_F(LayoutTest, EveryLaterCaptionFits) {
  Form1& f = build();
  for (const auto& [label, texts] : std::vector<std::pair<LabelButton*, QStringList>>{
           {f.Label34, {QStringLiteral(" Normal"), QStringLiteral("  Grad"), QStringLiteral(" Stripes")}},
           {f.Label31, {QStringLiteral("Horiz"), QStringLiteral("Vert")}},
           {f.Label47,
            {QStringLiteral("Fine outline"), QStringLiteral("Thin outline"), QStringLiteral("Bold outline")}}})
    for (const QString& text : texts) EXPECT_TRUE(captionFits((label->setCaption(text), label)));
  for (auto prompt : {&Form1::setdirchromapix, &Form1::setdirjvcomm, &Form1::setdirmscan, &Form1::setdirroy1,
                      &Form1::setdirw95sstv, &Form1::setdirwinpix, &Form1::setdirwinskan, &Form1::setdirsstv32,
                      &Form1::setdirmmsstv})
    EXPECT_TRUE(captionFits(((f.*prompt)(), f.Command22)));
  for (OptionButton* direction : {f.Option2, f.Option3, f.Option4, f.Option5})
    EXPECT_TRUE(direction->iconSize() == QSize(32, 32) && captionFits(direction));
}

// A caption wider than its button or label is drawn on as many lines as its words need.
TEST_F(LayoutTest, ButtonsAndLabelsWrapCaptionsAtWordBreaks) {
  QWidget window;
  window.setFont(platform::windowFont());
  auto* label = new LabelButton(QString(), &window);
  auto* button = new CommandButton(QString(), &window);
  const QString prompt = QStringLiteral("For MScan Open chosen Directory (Dbl Click), then Click here to set or click Exit Pic");
  for (const auto& [caption, width, lines] : std::vector<std::tuple<QString, int, int>>{
           {QStringLiteral("Reset thumb"), 40, 2}, {QStringLiteral("Load Msg"), 80, 1}, {prompt, 179, 3}}) {
    SCOPED_TRACE(caption.toStdString());
    label->setGeometry(0, 0, width, 60);
    button->setGeometry(0, 0, width, 60);
    label->setCaption(caption);
    button->setCaption(caption);
    EXPECT_EQ(textLines(label->grab().toImage(), label->contentsRect()), lines);
    EXPECT_EQ(textLines(button->grab().toImage(), button->captionRect()), lines);
  }
}

}  // namespace
