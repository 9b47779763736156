#include "tests/support/form_fixture.h"

#include <QDir>
#include <QFile>
#include <QPrinter>

#include "platform/dragdrop.h"

int ScriptedDialogs::MsgBox(const QString& prompt, int buttons, const QString& title) {
  calls.push_back({prompt, buttons, title});
  if (!answers.empty()) {
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  switch (buttons & 0xF) {
    case vb::YesNoCancel:
    case vb::YesNo: return (buttons & vb::DefaultButton2) ? vb::No : vb::Yes;
    default: return vb::OK;
  }
}

std::unique_ptr<QPrinter> ScriptedDialogs::ShowPrinter() {
  const std::optional<QString> pdf = printer.take({});
  if (!pdf) return nullptr;
  auto target = std::make_unique<QPrinter>(QPrinter::HighResolution);
  target->setOutputFormat(QPrinter::PdfFormat);
  target->setOutputFileName(*pdf);
  return target;
}

void FormTest::SetUp() {
  ASSERT_TRUE(dataHome.isValid());
  qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
  programDir = dataHome.path() + QStringLiteral("/marvane");
  QDir().mkpath(programDir);
  dialogs = std::make_shared<ScriptedDialogs>();
  randomValues = std::make_shared<std::deque<double>>();
}

void FormTest::TearDown() {
  if (form) form->unloaded = true;  // no shut-down from the destructor's close
  form.reset();
}

Form1& FormTest::build() {
  TearDown();  // the old window lets go of the instance lock first
  Form1Environment env;
  env.programDirectory = programDir;
  env.dialogs = dialogs;
  env.showSplash = false;
  auto values = randomValues;
  env.random = [values] {
    if (values->empty()) return 0.0;
    const double v = values->front();
    values->pop_front();
    return v;
  };
  form = std::make_unique<Form1>(env);
  return *form;
}

Form1& FormTest::start() {
  build();
  EXPECT_TRUE(form->Form_Load());
  return *form;
}

Form1& FormTest::buildOnWhite() {
  build().Picture1->setPicture(solidImage(320, 256, seen::White));
  return *form;
}

Form1& FormTest::prepareText(long ink) {
  Form1& f = buildOnWhite();
  f.Picture1->font.size = 24;
  f.Picture1->setForeColor(ink);
  f.textsettings[7] = QString::number(ink);
  f.Text1->setText(QStringLiteral("HI"));
  recordDrags();
  return f;
}

void FormTest::withShadowAndOutline() {
  form->shadowdepth = 9;
  form->Option5->setValue(true);
  form->Check17->setValue(1);
  form->Check15->setValue(1);
}

void FormTest::pendOnScreen() {
  form->Picture1->BoxFilled(10, 10, 40, 30, 0xFF);
  form->Label26->setBackColor(seen::Armed);
}

::testing::AssertionResult FormTest::shownOnce(const QString& title, const QString& prompt, int buttons) const {
  if (dialogs->calls.size() != 1) return ::testing::AssertionFailure() << dialogs->calls.size() << " message boxes";
  const ScriptedDialogs::Call& c = dialogs->calls[0];
  if (c.title == title && c.prompt == prompt && c.buttons == buttons) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "shown: " << c.title.toStdString() << " | " << c.prompt.toStdString() << " | "
                                       << c.buttons;
}

bool showsDropAllowed(const Form1& f, const QWidget* dragged) {
  return dragged && platform::dragIcon(dragged).cacheKey() == platform::dragIcon(f.Dir1).cacheKey();
}

int shownPicture(const ImageBox* box, long (*colourOf)(int), int count, std::optional<QPoint> at) {
  if (!box->hasPicture()) return -1;
  const QImage& shown = box->picture();
  const long c = pixelAt(shown, at ? at->x() : shown.width() / 2, at ? at->y() : shown.height() / 2);
  for (int i = 0; i < count; ++i)
    if (colourOf(i) == c) return i;
  return -2;
}

QByteArray restoreFile(const std::map<int, QByteArray>& items) {
  QByteArray out;
  for (int k = 1; k <= 127; ++k) {
    const auto it = items.find(k);
    out += (it == items.end() ? QByteArray() : it->second) + "\r\n";
  }
  return out;
}
