// A card mounted while the window runs is offered once, with Open and
// Ignore; a volume without the recorder's layout is not. The mounts come
// from a made-up mount table, never a real disk.

#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <fstream>

#include "shell/ui/MainWindowFixture.h"

namespace card_insert_notice_test {
namespace {

namespace fs = std::filesystem;

class CardInsertNoticeTest : public main_window_test::MainWindowTest {
 protected:
  void Mount(const fs::path& folder, const char* device) {
    std::ofstream(dir_ / "mountinfo", std::ios::app)
        << "95 22 8:49 / " << folder.string() << " rw,relatime - vfat " << device << " rw\n";
    frame_->Media().Rescan();
  }
  void UnmountAll() {
    WriteMountTable(true);
    frame_->Media().Rescan();
  }
  CardInsertNotice& Notice() const { return frame_->InsertNotice(); }
};

TEST_F(CardInsertNoticeTest, ACardIsOfferedOnceAndOpensAVolumeWithoutTheLayoutIsNot) {
  const fs::path other = dir_ / "media" / "USBSTICK";
  fs::create_directories(other / "photos");
  Mount(other, "/dev/sdd1");
  EXPECT_FALSE(Notice().isVisible()) << "no layout, no notice";
  UnmountAll();

  const fs::path card = dir_ / "media" / "ZIDOVORI1";
  fs::create_directories(card / "CH1" / "EVENT");
  fs::create_directories(card / "LOG");
  Mount(card, "/dev/sdc1");
  ASSERT_TRUE(Notice().isVisible());
  EXPECT_EQ(Notice().Text()->text().toStdString(), "A drive recorder card was inserted: ZIDOVORI1 at " + card.string());

  Notice().IgnoreButton()->click();
  EXPECT_FALSE(Notice().isVisible());
  frame_->Media().Rescan();
  EXPECT_FALSE(Notice().isVisible()) << "an ignored card stays quiet while it is mounted";
  EXPECT_NE(frame_->Store().Root(), card.string());

  UnmountAll();
  Mount(card, "/dev/sdc1");
  ASSERT_TRUE(Notice().isVisible()) << "inserted again, offered again";
  if (const char* shots = std::getenv("KORVANE_SHOT_DIR"))
    frame_->grab().save(QString::fromLocal8Bit(shots) + "/card-insert-notice.png");
  Notice().OpenButton()->click();
  EXPECT_FALSE(Notice().isVisible());
  EXPECT_EQ(frame_->Store().Root(), card.string());
}

}  // namespace
}  // namespace card_insert_notice_test
