#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/media/media_command.h"
#include "core/text/named_files.h"
#include "core/media/sound_preview.h"
#include "core/text/cp932.h"

namespace fs = std::filesystem;
using namespace quillane::media;
using quillane::text::sj;

namespace {

class LogDevice : public MediaDevice {
 public:
  explicit LogDevice(std::vector<std::string>* log) : log_(log) {}
  void send(std::string_view command) override { log_->emplace_back(command); }

 private:
  std::vector<std::string>* log_;
};

class MediaPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    dir_ = fs::temp_directory_path() / ("quillane_media_" + std::to_string(rd()));
    fs::create_directories(dir_ / "wav");
    fs::create_directories(dir_ / "MID");
    preview_ = std::make_unique<SoundPreview>(std::make_unique<LogDevice>(&log_));
    preview_->setProjectFolder(dir_);
  }
  void TearDown() override {
    preview_.reset();
    fs::remove_all(dir_);
  }
  fs::path touch(const fs::path& relative) {
    std::ofstream(dir_ / relative) << "x";
    return dir_ / relative;
  }

  fs::path dir_;
  std::vector<std::string> log_;
  std::unique_ptr<SoundPreview> preview_;
};

}  // namespace

TEST_F(MediaPreviewTest, EffectOpensPlaysToItsEndAndCloses) {
  fs::path file = touch("wav/HIT.wav");
  preview_->playEffect("hit");
  std::vector<std::string> want = {"open \"" + file.string() + "\" alias WAVE1",
                                   "play WAVE1 notify wait", "close WAVE1"};
  EXPECT_EQ(log_, want);
  EXPECT_TRUE(preview_->currentMusic().empty());
}

TEST_F(MediaPreviewTest, MusicStartRestartAndStop) {
  fs::path field = touch("MID/field.MID");
  fs::path town = touch("MID/Town.mid");
  preview_->startMusic("FIELD");
  EXPECT_EQ(preview_->currentMusic(), "FIELD");
  preview_->startMusic("TOWN");
  preview_->stopMusic();
  preview_->stopMusic();  // nothing plays: nothing is sent
  std::vector<std::string> want = {
      "open \"" + field.string() + "\" alias MIDI1", "play MIDI1",
      "close MIDI1",  // the first piece is closed before the second is opened
      "open \"" + town.string() + "\" alias MIDI1",  "play MIDI1",
      "close MIDI1"};
  EXPECT_EQ(log_, want);
  EXPECT_TRUE(preview_->currentMusic().empty());
}

TEST_F(MediaPreviewTest, MissingFileStillSendsThePlainPathAndNamesWithBlanksStayWhole) {
  preview_->startMusic("my song");
  ASSERT_EQ(log_.size(), 2u);
  fs::path expected = dir_ / "MID" / "my song.mid";
  EXPECT_EQ(log_[0], "open \"" + expected.string() + "\" alias MIDI1");
  MediaCommand open = parseMediaCommand(log_[0]);
  EXPECT_EQ(open.verb, MediaCommand::Verb::Open);
  EXPECT_EQ(open.path, expected.string());
  EXPECT_EQ(open.alias, "MIDI1");
  // The name is remembered even though nothing could be opened, so stop still closes.
  preview_->stopMusic();
  EXPECT_EQ(log_.back(), "close MIDI1");
}

TEST_F(MediaPreviewTest, EmptyNamesSendNothingButStartStillStops) {
  preview_->playEffect("");
  EXPECT_TRUE(log_.empty());
  touch("MID/a.mid");
  preview_->startMusic("a");
  log_.clear();
  preview_->startMusic("");
  EXPECT_EQ(log_, std::vector<std::string>{"close MIDI1"});
  EXPECT_TRUE(preview_->currentMusic().empty());
}

TEST_F(MediaPreviewTest, MusicStopsWhenItsScopeEndsAndWhenThePreviewGoes) {
  {
    MusicScope scope(*preview_);
    preview_->startMusic("a");
  }
  EXPECT_EQ(log_.back(), "close MIDI1");
  preview_->startMusic("b");
  log_.clear();
  preview_.reset();
  EXPECT_EQ(log_, std::vector<std::string>{"close MIDI1"});
}

TEST_F(MediaPreviewTest, StemsResolveAsUtf8NamesThenRawBytes) {
  // A Japanese stem stored in CP932 finds the file under its UTF-8 name...
  fs::path utf8 = touch(fs::path(u8"wav/効果音.Wav"));
  EXPECT_EQ(quillane::files::findNamedFile(dir_, "WAV", sj("効果音"), ".WAV"), utf8);
  // ...and under its raw bytes when the file name was never converted. "ソ" ends in 0x5C,
  // which must stay part of the name.
  std::string raw = sj("ソード") + ".wav";
  std::ofstream(dir_ / "wav" / raw) << "x";
  EXPECT_EQ(quillane::files::findNamedFile(dir_, "wav", sj("ソード"), ".WAV"), dir_ / "wav" / raw);
  EXPECT_FALSE(quillane::files::findNamedFile(dir_, "wav", "none", ".WAV"));
  EXPECT_FALSE(quillane::files::findNamedFile(dir_, "nofolder", "x", ".WAV"));
}

TEST_F(MediaPreviewTest, StemsCannotLeaveTheFolderOrMatchByWildcard) {
  touch("secret.WAV");
  touch("wav/abc.WAV");
  EXPECT_FALSE(quillane::files::findNamedFile(dir_, "wav", "../secret", ".WAV"));
  EXPECT_FALSE(quillane::files::findNamedFile(dir_, "wav", "*", ".WAV"));
  EXPECT_FALSE(quillane::files::findNamedFile(dir_, "wav", "a?c", ".WAV"));
  EXPECT_TRUE(quillane::files::findNamedFile(dir_, "wav", "ABC", ".wav"));
}

TEST(MediaCommandTest, ParsesWhatTheBuildersWriteAndRejectsTheRest) {
  auto play = parseMediaCommand(playCommand(kEffectAlias, true));
  EXPECT_EQ(play.verb, MediaCommand::Verb::Play);
  EXPECT_TRUE(play.wait);
  EXPECT_EQ(play.alias, "WAVE1");
  auto music = parseMediaCommand(playCommand(kMusicAlias, false));
  EXPECT_EQ(music.verb, MediaCommand::Verb::Play);
  EXPECT_FALSE(music.wait);
  auto close = parseMediaCommand(closeCommand(kMusicAlias));
  EXPECT_EQ(close.verb, MediaCommand::Verb::Close);
  EXPECT_EQ(close.alias, "MIDI1");

  for (const char* bad : {"", "play", "open \"x\" WAVE1", "open x alias WAVE1",
                          "open \"x alias WAVE1", "play WAVE1 notify", "close", "stop WAVE1",
                          "close A B"}) {
    EXPECT_EQ(parseMediaCommand(bad).verb, MediaCommand::Verb::Unknown) << bad;
  }
}
