// The settings object on a settings folder of its own, the shipped default
// file and the Tool menu's model rule.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/AppSetting.h"
#include "base/MgrMultiLang.h"
#include "base/ScriptPolicy.h"
#include "platform/ProfileFile.h"
#include "support/EndedProcess.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class AppSettingTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLangFilePath(""); }

  AppSettingFolders Folders() const {
    AppSettingFolders folders;
    folders.settingsBase = dir_ / "config";
    folders.documents = dir_ / "Documents";
    folders.dataFolder = dir_ / "data";
    folders.startFolder = dir_ / "start";
    return folders;
  }
  fs::path IniPath() const { return dir_ / "config/Halvorn/Nemora/kelbrin.ini"; }
  fs::path Shipped() const { return fs::path(KORVANE_SOURCE_DIR) / "resources/kelbrin.ini"; }

  TempDir dir_;
};

void ExpectDefaults(const CAppSetting& setting, const std::string& documents) {
  EXPECT_EQ(setting.VenderCode(), 1);
  EXPECT_EQ(setting.DateDesc(), 0);
  EXPECT_EQ(setting.MapType(), 1);
  EXPECT_EQ(setting.ModelName(), "Drive Recorder");
  EXPECT_EQ(setting.SaveJpgFolder(), documents);
  EXPECT_EQ(setting.SaveAviFolder(), documents);
  EXPECT_EQ(setting.BackupFolder(), documents);
  EXPECT_EQ(setting.SaveLogFolder(), documents);
  EXPECT_EQ(setting.SaveTrackFolder(), documents);
  EXPECT_EQ(setting.AviCaption(), 0);
  const KmlSetting& kml = setting.Kml();
  EXPECT_EQ(std::vector<int>({kml.pointer, kml.route, kml.runGoogleEarth, kml.pointerInterval, kml.lineWidth,
                              kml.lineOpacity, kml.lineColor}),
            std::vector<int>({1, 1, 1, 10, 5, 100, 255}));
  EXPECT_EQ(setting.GetCurrentModel(), 0);
  EXPECT_EQ(setting.GetDisplaySpeed(), kDisplaySpeedGps);
}

TEST_F(AppSettingTest, WithoutAnySettingsFileEveryValueIsItsDefault) {
  CAppSetting setting(Folders());
  EXPECT_TRUE(fs::is_directory(dir_ / "config/Halvorn/Nemora"));
  EXPECT_FALSE(fs::exists(IniPath())) << "nothing to seed from";
  EXPECT_EQ(setting.GetIniPath(), IniPath());
  EXPECT_EQ(setting.LoadSetting(), 1);
  ExpectDefaults(setting, (dir_ / "Documents").string());
  EXPECT_EQ(setting.ScriptBlocked(), 0);
  EXPECT_TRUE(setting.LanguageFilePath().empty());

  AppSettingFolders noDocuments = Folders();
  noDocuments.documents.clear();
  CAppSetting fallback(noDocuments);
  fallback.LoadSetting();
  EXPECT_EQ(fallback.SaveJpgFolder(), "/");
}

TEST_F(AppSettingTest, ShippedFileHoldsEveryKeyWithItsDefault) {
  const std::string shipped = TempDir::Read(Shipped());
  ASSERT_FALSE(shipped.empty());
  EXPECT_EQ(shipped.find('\n'), shipped.find("\r\n") + 1) << "Windows line ends";
  dir_.Write("data/kelbrin.ini", shipped);
  CAppSetting setting(Folders());
  EXPECT_EQ(TempDir::Read(IniPath()), shipped) << "seeded on first run";
  setting.LoadSetting();
  ExpectDefaults(setting, (dir_ / "Documents").string());
  for (const char* key : {"CurrentModel", "DisplaySpeed", "SaveJpgFolder", "SaveAviFolder", "BackupFolder",
                          "SaveLogFolder", "SaveTrackFolder", "AviCaption"}) {
    const bool number = key[0] == 'C' || key[0] == 'D' || key[0] == 'A';
    EXPECT_EQ(ReadProfileString(IniPath(), "RunParam", key, "absent"), number ? "0" : "") << key;
  }
}

TEST_F(AppSettingTest, SeedingNeverReplacesAnExistingFile) {
  dir_.Write("data/kelbrin.ini", "[RunParam]\r\nCurrentModel=0\r\n");
  dir_.Write("config/Halvorn/Nemora/kelbrin.ini", "[RunParam]\nCurrentModel=5\n");
  CAppSetting setting(Folders());
  EXPECT_EQ(setting.GetCurrentModel(), 5);
  EXPECT_EQ(fs::directory_iterator(dir_ / "config/Halvorn/Nemora")->path().filename(), "kelbrin.ini")
      << "no copy left beside it";

  // A settings file that is there but cannot be read (here a link to a file
  // on a volume not mounted yet) is the user's, not a first run.
  fs::remove(IniPath());
  fs::create_symlink(dir_ / "offline/kelbrin.ini", IniPath());
  CAppSetting again(Folders());
  EXPECT_TRUE(fs::is_symlink(IniPath()));
  EXPECT_FALSE(fs::exists(dir_ / "offline/kelbrin.ini"));
}

TEST_F(AppSettingTest, CopiesLeftByAKilledStartAreRemoved) {
  dir_.Write("data/kelbrin.ini", "[RunParam]\r\nCurrentModel=4\r\n");
  const std::string ended = std::to_string(EndedProcessId());
  const std::string running = std::to_string(::getpid());
  // What a start killed halfway through its first-run copy or a write left.
  const auto halfSeed = dir_.Write("config/Halvorn/Nemora/.korvane-" + ended + "-0.tmp", "[RunPa");
  fs::permissions(halfSeed, fs::perms::owner_write);
  const auto halfWrite = dir_.Write("config/Halvorn/Nemora/.korvane-" + ended + "-1.tmp", "[GUI]");
  // A copy still being made, and files that only look alike, stay.
  const auto inProgress = dir_.Write("config/Halvorn/Nemora/.korvane-" + running + "-0.tmp", "");
  const auto notOurs = dir_.Write("config/Halvorn/Nemora/notes.ini.tmp-" + ended, "");
  const auto notAPid = dir_.Write("config/Halvorn/Nemora/.korvane-old-0.tmp", "");

  CAppSetting setting(Folders());
  EXPECT_EQ(setting.GetCurrentModel(), 4);
  EXPECT_FALSE(fs::exists(halfSeed));
  EXPECT_FALSE(fs::exists(halfWrite));
  for (const fs::path& kept : {inProgress, notOurs, notAPid}) EXPECT_TRUE(fs::exists(kept)) << kept;
}

TEST_F(AppSettingTest, AFirstRunLeavesOnlyTheSettingsFile) {
  dir_.Write("data/kelbrin.ini", "[RunParam]\r\nCurrentModel=2\r\n");
  CAppSetting setting(Folders());
  ASSERT_TRUE(setting.SetDisplaySpeed(1));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_ / "config/Halvorn/Nemora")) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"kelbrin.ini"});
  EXPECT_EQ(setting.GetCurrentModel(), 2);
  EXPECT_EQ(fs::status(IniPath()).permissions() & fs::perms::owner_read, fs::perms::owner_read);
}

TEST_F(AppSettingTest, FifosInPlaceOfTheSettingsFilesAreNoSettingsFiles) {
  ASSERT_TRUE(MakeFifo(dir_ / "data/kelbrin.ini"));
  EXPECT_TRUE(EndsWithoutWaitingOn(dir_ / "data/kelbrin.ini", [&] {
    CAppSetting setting(Folders());
    setting.LoadSetting();
    ExpectDefaults(setting, (dir_ / "Documents").string());
  }));
  EXPECT_FALSE(fs::exists(IniPath())) << "nothing seeded from a FIFO";

  ASSERT_TRUE(MakeFifo(IniPath()));
  EXPECT_TRUE(EndsWithoutWaitingOn(IniPath(), [&] {
    CAppSetting setting(Folders());
    setting.LoadSetting();
    ExpectDefaults(setting, (dir_ / "Documents").string());
  }));
  EXPECT_EQ(fs::symlink_status(IniPath()).type(), fs::file_type::fifo);
}

TEST_F(AppSettingTest, NoSettingsFolderKeepsTheFileInTheStartFolder) {
  AppSettingFolders folders = Folders();
  folders.settingsBase.clear();
  dir_.Write("data/kelbrin.ini", "[RunParam]\nCurrentModel=4\n");
  CAppSetting setting(folders);
  EXPECT_TRUE(setting.SettingsFolder().empty());
  EXPECT_EQ(setting.GetIniPath(), dir_ / "start/kelbrin.ini");
  EXPECT_FALSE(fs::exists(dir_ / "start/kelbrin.ini")) << "seeding belongs to the settings folder";
  EXPECT_EQ(setting.GetCurrentModel(), 0);
}

TEST_F(AppSettingTest, FileValuesAndTheOnesThatAreNotHonoured) {
  const std::string longFolder = "/" + std::string(299, 'f');
  dir_.Write("config/Halvorn/Nemora/kelbrin.ini",
             "[GUI]\nVender=0\nDateDesc=2\nModelName=MX Line\n[MAP]\nMapType=2\n"
             "[RunParam]\nSaveJpgFolder=" +
                 longFolder +
                 "\nSaveAviFolder=/videos\nBackupFolder=\n"
                 "[KML]\nPointer=0\nPointerInterval=abc\nLineColor=16711680\n");
  CAppSetting setting(Folders());
  setting.LoadSetting();
  EXPECT_EQ(setting.VenderCode(), 1);
  EXPECT_EQ(setting.MapType(), 1);
  EXPECT_EQ(setting.DateDesc(), 2);
  EXPECT_FALSE(setting.IsWeekdayFirstDate()) << "only exactly 1 puts the weekday first";
  EXPECT_EQ(setting.ModelName(), "MX Line");
  EXPECT_EQ(setting.SaveJpgFolder(), longFolder.substr(0, 259));
  EXPECT_EQ(setting.SaveAviFolder(), "/videos");
  EXPECT_EQ(setting.BackupFolder(), (dir_ / "Documents").string()) << "an empty value means the documents folder";
  EXPECT_EQ(setting.Kml().pointer, 0);
  EXPECT_EQ(setting.Kml().pointerInterval, 0) << "not a number";
  EXPECT_EQ(setting.Kml().lineColor, 16711680);
  EXPECT_EQ(setting.Kml().route, 1);
}

TEST_F(AppSettingTest, SettersWriteThroughAtOnce) {
  CAppSetting setting(Folders());
  setting.LoadSetting();
  EXPECT_TRUE(setting.SetSaveJpgFolder("/pictures"));
  EXPECT_TRUE(setting.SetSaveAviFolder("/videos"));
  EXPECT_TRUE(setting.SetBackupFolder("/backup"));
  EXPECT_TRUE(setting.SetSaveLogFolder("/tracks"));
  EXPECT_TRUE(setting.SetSaveTrackFolder("/gpx"));
  EXPECT_TRUE(setting.SetAviCaption(kAviCaptionSpeed | kAviCaptionPosition));
  EXPECT_TRUE(setting.SetDisplaySpeed(kDisplaySpeedPulse));
  EXPECT_TRUE(setting.SetKmlLineWidth(7));
  EXPECT_TRUE(setting.SetKmlLineColor(65280));
  EXPECT_EQ(setting.SaveJpgFolder(), "/pictures");
  EXPECT_EQ(setting.Kml().lineWidth, 7);

  // A second object reads the file as it is now, as the next start would.
  CAppSetting again(Folders());
  again.LoadSetting();
  EXPECT_EQ(again.SaveJpgFolder(), "/pictures");
  EXPECT_EQ(again.SaveAviFolder(), "/videos");
  EXPECT_EQ(again.BackupFolder(), "/backup");
  EXPECT_EQ(again.SaveLogFolder(), "/tracks");
  EXPECT_EQ(again.SaveTrackFolder(), "/gpx");
  EXPECT_EQ(again.AviCaption(), kAviCaptionSpeed | kAviCaptionPosition);
  EXPECT_EQ(again.GetDisplaySpeed(), kDisplaySpeedPulse);
  EXPECT_EQ(again.Kml().lineWidth, 7);
  EXPECT_EQ(again.Kml().lineColor, 65280);
  EXPECT_EQ(again.Kml().pointer, 1);
  // The mode is read from the file on every call, not held.
  WriteProfileInt(IniPath(), "RunParam", "DisplaySpeed", kDisplaySpeedGps);
  EXPECT_EQ(setting.GetDisplaySpeed(), kDisplaySpeedGps);
}

TEST_F(AppSettingTest, SettersReportAFileThatCannotBeWritten) {
  AppSettingFolders folders = Folders();
  folders.settingsBase = dir_.Write("not-a-folder", "x");
  CAppSetting setting(folders);
  EXPECT_FALSE(setting.SetCurrentModel(3));
  EXPECT_FALSE(setting.SetSaveJpgFolder("/x"));
  EXPECT_EQ(setting.SaveJpgFolder(), "/x") << "the session still goes on with the choice";
  EXPECT_EQ(setting.GetCurrentModel(), 0);
}

TEST_F(AppSettingTest, ModelCommandsStoreTheIdAndSwitchTheLayout) {
  CAppSetting setting(Folders());
  EXPECT_EQ(setting.ChooseModel(9), LayoutChange::kToMxH);
  EXPECT_EQ(ReadProfileString(IniPath(), "RunParam", "CurrentModel", ""), "9");
  EXPECT_EQ(setting.ChooseModel(9), LayoutChange::kNone);
  EXPECT_EQ(setting.ChooseModel(6), LayoutChange::kToOrdinary);
  EXPECT_EQ(setting.GetCurrentModel(), 6);
  EXPECT_EQ(setting.ChooseModel(4), LayoutChange::kNone);
  EXPECT_EQ(setting.GetCurrentModel(), 4);
}

// A run that renders the window and quits chooses a model like any other,
// but neither the saved settings nor a first run's seeding may change.
TEST_F(AppSettingTest, ARunThatKeepsItsChangesLeavesTheFileAsItWas) {
  dir_.Write("data/kelbrin.ini", "[RunParam]\nCurrentModel=3\n");
  {
    CAppSetting firstRun(Folders(), SettingWrites::kThisRunOnly);
    EXPECT_FALSE(fs::exists(IniPath())) << "no seeding";
    EXPECT_EQ(firstRun.GetCurrentModel(), 3) << "read as a first run would see it";
    EXPECT_EQ(firstRun.ChooseModel(9), LayoutChange::kToMxH);
    EXPECT_EQ(firstRun.GetCurrentModel(), 9);
    EXPECT_FALSE(fs::exists(IniPath()));
  }

  const std::string saved = "[RunParam]\nCurrentModel=2\nDisplaySpeed=0\n[KML]\nLineWidth=5\n";
  dir_.Write("config/Halvorn/Nemora/kelbrin.ini", saved);
  CAppSetting setting(Folders(), SettingWrites::kThisRunOnly);
  setting.LoadSetting();
  EXPECT_EQ(setting.GetCurrentModel(), 2);
  EXPECT_TRUE(setting.SetCurrentModel(9));
  EXPECT_TRUE(setting.SetDisplaySpeed(kDisplaySpeedPulse));
  EXPECT_TRUE(setting.SetSaveJpgFolder("/pictures"));
  EXPECT_TRUE(setting.SetKmlLineWidth(9));
  EXPECT_EQ(setting.GetCurrentModel(), 9);
  EXPECT_EQ(setting.GetDisplaySpeed(), kDisplaySpeedPulse);
  EXPECT_EQ(setting.SaveJpgFolder(), "/pictures");
  EXPECT_EQ(setting.Kml().lineWidth, 9);
  std::ifstream file(IniPath(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), saved);
}

class FixedPolicy : public ScriptPolicy {
 public:
  explicit FixedPolicy(bool allowed) : allowed_(allowed) {}
  bool ScriptsAllowed() const override { return allowed_; }
  bool allowed_;
};

TEST_F(AppSettingTest, ScriptZoneFollowsThePolicyOnEveryCall) {
  CAppSetting setting(Folders());
  EXPECT_EQ(setting.CheckIeScriptZone(), 0) << "no web view yet: scripts allowed";
  FixedPolicy policy(false);
  setting.SetScriptPolicy(&policy);
  EXPECT_EQ(setting.CheckIeScriptZone(), 1);
  EXPECT_EQ(setting.ScriptBlocked(), 1);
  policy.allowed_ = true;
  EXPECT_EQ(setting.CheckIeScriptZone(), 0);
  EXPECT_EQ(setting.ScriptBlocked(), 0);
}

TEST_F(AppSettingTest, LanguageChoiceIsKeptInTheSettingsAndUsedForTexts) {
  dir_.Write("start/kelbrinlang_de.ini", "[GUI]\nOK=Gut\n");
  CAppSetting setting(Folders());
  EXPECT_EQ(FindLangFile(setting), 1);
  EXPECT_EQ(fs::path(setting.LanguageFilePath()).filename(), "kelbrinlang_de.ini");
  EXPECT_EQ(LangFilePath(), setting.LanguageFilePath());
  EXPECT_EQ(GetLangText("GUI", "OK", "OK"), "Gut");
}

}  // namespace
