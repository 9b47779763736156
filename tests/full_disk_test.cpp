#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <map>
#include <ranges>

#include <QRandomGenerator>

#include "tests/pictures_fixture.h"

namespace {

// Mounts made here stay inside this test: its own mount namespace, entered before main() and so
// before Qt or anything else starts a thread (each later thread shares it). It takes root;
// without, the disk is filled by a file-size limit instead.
const bool privateMounts = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;

// The data folder on a disk that can be filled up: a small tmpfs of its own, or where none can be
// mounted the folder as it is under a file-size limit of nothing. Either way no write of a byte
// succeeds while it is full, as on a full disk.
class FillableDisk {
 public:
  explicit FillableDisk(const QString& folder)
      : folder_(QFile::encodeName(folder)),
        mounted_(privateMounts && ::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=8m") == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &limit_);
  }
  ~FillableDisk() {
    empty();
    if (mounted_) ::umount2(folder_.constData(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  // Fills the disk up to the last `room` bytes.
  void fill(off_t room = 0) {
    if (!mounted_) return limitFileSize(rlim_t(room));
    const int fd = ::open(filler().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    static const char page[4096] = {};
    off_t filled = 0;
    for (ssize_t n; (n = ::write(fd, page, sizeof page)) > 0;) filled += n;
    if (::ftruncate(fd, std::max<off_t>(0, filled - room)) != 0) ADD_FAILURE() << "the disk cannot be given room";
    ::close(fd);
  }
  void empty() {
    if (mounted_) ::unlink(filler().constData());
    else limitFileSize(limit_.rlim_cur);
  }
  // What the system says of a write that no longer fits.
  QString reason() const { return qt_error_string(mounted_ ? ENOSPC : EFBIG); }

 private:
  QByteArray filler() const { return folder_ + "/filler"; }
  void limitFileSize(rlim_t size) {
    rlimit limit = limit_;
    limit.rlim_cur = size;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  QByteArray folder_;
  bool mounted_;
  rlimit limit_{};
};

const QByteArray Log = "\"\r\nW1XYZ Bob, Boston\r\nG4ABC Fred, Leeds\"\r\n";

// A window whose program folder lies on a disk that the test fills before the operator acts.
class FullDiskTest : public PicturesTest {
 protected:
  void SetUp() override {
    PicturesTest::SetUp();
    disk = std::make_unique<FillableDisk>(dataHome.path());
    QDir().mkpath(programDir);  // again, on the new disk
    RecordProperty("disk", disk->mounted() ? "tmpfs" : "file-size limit");
  }
  // Every file of the program folder and its subfolder of pictures, with its bytes.
  using Files = std::map<QString, QByteArray>;
  Files files() const {
    Files all;
    for (const QString& folder : {QString(), QStringLiteral("pics/")})
      for (const QString& name : QDir(path(folder)).entryList(QDir::Files | QDir::Hidden))
        all[folder + name] = readFile(folder + name);
    return all;
  }
  static ::testing::AssertionResult unchanged(const Files& before, const Files& after) {
    for (const auto& [name, bytes] : after) {
      const auto old = before.find(name);
      if (old == before.end()) return ::testing::AssertionFailure() << "new file " << name.toStdString();
      if (old->second != bytes) return ::testing::AssertionFailure() << name.toStdString() << " changed";
    }
    if (before.size() != after.size()) return ::testing::AssertionFailure() << "a file is gone";
    return ::testing::AssertionSuccess();
  }
  // Runs `act` on the disk full but for `room` bytes: afterwards every file is as it was (none new,
  // none left over) and the last message box the operator saw has this title and prompt.
  void failsAndKeepsEveryFile(const std::function<void()>& act, const QString& title, const QString& prompt, off_t room = 0) {
    const auto before = files();
    dialogs->calls.clear();
    disk->fill(room);
    act();
    disk->empty();
    EXPECT_TRUE(unchanged(before, files()));
    ASSERT_FALSE(dialogs->calls.empty());
    const ScriptedDialogs::Call& told = dialogs->calls.back();
    EXPECT_EQ(std::tuple(told.title, told.prompt, told.buttons), std::tuple(title, prompt, int(vb::OKOnly)));
  }
  std::unique_ptr<FillableDisk> disk;  // goes after the window, before the data folder
};

}  // namespace

// Save and Delete each ask, fail with the log's own message, and leave "logdata" and the edit as
// they were; the next start on the still full disk keeps the backup too.
TEST_F(FullDiskTest, CallLogWritesKeepTheLogAndItsBackup) {
  const QString message = QStringLiteral("Could not write the call log \"logdata\" in ") + programDir +
                          QStringLiteral(".\r\nThe log is as it was.");
  for (const bool saving : {true, false}) {
    SCOPED_TRACE(saving ? "save" : "delete");
    writeFile(QStringLiteral("logdata"), Log);
    Form1& f = start();
    f.Text3->setText(QStringLiteral("W1XYZ"));
    if (saving) f.Text4->setText(QStringLiteral("Bob, Salem"));
    dialogs->answers = {vb::Yes};
    failsAndKeepsEveryFile([&] { saving ? f.Command2_Click() : f.Command9_Click(); }, QStringLiteral("Call Log"), message);
    EXPECT_EQ(dialogs->calls.size(), 2u);  // the question, then the failure
    EXPECT_EQ(std::tuple(f.logtext, f.Text4->text()),
              std::tuple(QString::fromLatin1(Log.mid(1, Log.size() - 4)), QString::fromLatin1(saving ? "Bob, Salem" : "Bob, Boston")));

    const auto before = files();
    disk->fill();
    dialogs->calls.clear();
    start();
    disk->empty();
    EXPECT_TRUE(unchanged(before, files()));
    ASSERT_EQ(dialogs->calls.size(), 1u);
    EXPECT_EQ(dialogs->calls[0].prompt, "The call log could not be copied to \"logdata.bak\" (" + disk->reason() +
                                            "); the backup is as it was.");
  }
  // A damaged log and a saved picture that is no picture, whose bytes the full disk could not take
  // elsewhere: the start and Save Call name that cause.
  writeFile(QStringLiteral("logdata"), "W1XYZ Bob\r\n\"G4ABC Fred\"");
  writeFile(QStringLiteral("JustText5.bmp"), "BM no picture");
  disk->fill();
  dialogs->calls.clear();
  Form1& f = start();
  disk->empty();
  EXPECT_TRUE(std::any_of(dialogs->calls.begin(), dialogs->calls.end(), [&](const auto& call) {
    return call.prompt.endsWith("\r\n\"JustText5.bmp\" is no picture Marvane can read; its bytes are not kept elsewhere (" +
                                disk->reason() + "), so \"JustText5.bmp\" is left as it is until Marvane starts again.");
  }));
  f.Text3->setText(QStringLiteral("K1AB"));
  f.Text4->setText(QStringLiteral("Al"));
  dialogs->answers = {vb::Yes};
  dialogs->calls.clear();
  f.Command2_Click();
  ASSERT_EQ(dialogs->calls.size(), 2u);
  EXPECT_EQ(dialogs->calls[1].prompt, "The call log \"logdata\" in " + programDir +
                                          " was damaged, and its bytes could not be kept elsewhere at start-up (" +
                                          disk->reason() + "), so it is not written over.\r\nNothing was changed.");
}

// The second copy is kept out on a disk with no room left, as on any other.
TEST_F(FullDiskTest, ASecondCopyIsRefusedOnAFullDisk) {
  disk->fill();
  start();
  dialogs->calls.clear();
  Form1 second(form->env);
  EXPECT_FALSE(second.Form_Load());
  second.unloaded = true;
  disk->empty();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].title, QStringLiteral("DUPLICATE INSTANCE Marvane"));
}

// The exit names exactly the files it could not save, says the previous ones were kept only when
// there were any, and leaves every file as it was.
TEST_F(FullDiskTest, ExitNamesEveryFileItCouldNotSaveAndKeepsTheOldOnes) {
  QStringList all{QStringLiteral("messages"), QStringLiteral("restore")};
  for (int n = 21; n <= 30; ++n) all << QStringLiteral("JustText%1.bmp").arg(n);
  const QString failed = QStringLiteral("Could not save ") + all.join(QStringLiteral(", ")) + QStringLiteral(" in ") + programDir + u'.';
  for (const bool oldFiles : {true, false}) {
    SCOPED_TRACE(oldFiles ? "old files" : "first exit");
    for (const QString& name : files() | std::views::keys) QFile::remove(path(name));
    if (oldFiles) {
      writeFile(QStringLiteral("messages"), "\"CQ de G4ABC\"\r\n");
      writeFile(QStringLiteral("restore"), restoreFile({}));
      writeFile(QStringLiteral("JustText25.bmp"), bmpBytes(solidImage(320, 32, 0xFF)));
    }
    Form1& f = start();
    f.Text2->setText(QStringLiteral("QRZ?"));
    failsAndKeepsEveryFile([&] { f.close(); }, QStringLiteral("Shutting Down"),
                           failed + (oldFiles ? QStringLiteral("\r\nThe previous files were kept.") : QString()));
    EXPECT_EQ(dialogs->calls.size(), 1u);
  }
}

// Save Image and a picture dropped on the file list, each over an existing file, on a disk full
// from the first byte and on one that fills up partway: the file stays whole and the message gives
// the system's reason.
TEST_F(FullDiskTest, PictureSavesKeepTheFileTheyWouldReplace) {
  Form1& f = browsing(folderOf(1));
  // Noise, so that the PNG written is larger than the room left.
  QImage noise(320, 256, QImage::Format_RGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < noise.height(); ++y) random.fillRange(reinterpret_cast<quint32*>(noise.scanLine(y)), noise.width());
  f.Picture1->setPicture(noise);
  f.Image2->setPicture(noise);
  writeFile(QStringLiteral("pics/p00.png"), "the picture saved before");
  const QString cannot = QStringLiteral(": cannot be written (") + disk->reason() + u')';
  const QString dropTitle = QStringLiteral("Save .png File to ") + path(QStringLiteral("pics"));
  const struct { std::function<void()> act; QString title, prompt; } saves[] = {
      {[&] {
         dialogs->save.answers.push_back(SaveChoice{path(QStringLiteral("pics/p00.png")), 1});
         f.savepic_Click();
       },
       QStringLiteral("Save Image"), QStringLiteral("p00.png") + cannot},
      {[&] {
         f.Label20->clicked();  // PNG
         dialogs->input.answers.push_back(QStringLiteral("p00"));
         dialogs->answers = {vb::Yes};  // replace it
         f.dragsource = 2;
         f.browseTarget_DragDrop();
       },
       dropTitle, QStringLiteral("Picture not saved. p00.png") + cannot},
  };
  for (const off_t room : {0, 64 << 10})
    for (const auto& s : saves) {
      SCOPED_TRACE(s.title.toStdString() + " room " + std::to_string(room));
      failsAndKeepsEveryFile(s.act, s.title, s.prompt, room);
    }
}
