// The preference file: what a well-formed file restores, what a damaged one
// leaves alone, and that a write never leaves half a file behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/soft/file_preference_store.h"
#include "support/preference_records.h"

namespace platform {
namespace {

using test_records::sampleRecord;
using test_records::sentinelRecord;

namespace fs = std::filesystem;

bool operator==(const PreferenceRecord& a, const PreferenceRecord& b) {
    return a.normalizeTarget == b.normalizeTarget && a.peakHold == b.peakHold &&
           a.colourScheme == b.colourScheme && a.waveColours == b.waveColours &&
           a.zoomRange == b.zoomRange && a.displaySpeed == b.displaySpeed &&
           a.dcRemoval == b.dcRemoval && a.editorScale == b.editorScale;
}

class FilePreferenceStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velmorin-prefs-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        file = folder / "velmorin" / "preferences";
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeFile(const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }

    fs::path folder;
    fs::path file;
};

TEST_F(FilePreferenceStoreTest, WrittenRecordReadsBackWhole) {
    FilePreferenceStore store(file);
    store.write(sampleRecord());
    PreferenceRecord back = sentinelRecord();
    FilePreferenceStore(file).read(back);
    EXPECT_TRUE(back == sampleRecord());

    // Writing again replaces the file and leaves nothing else in its folder.
    PreferenceRecord changed = sampleRecord();
    changed.displaySpeed = 1;
    store.write(changed);
    back = sentinelRecord();
    store.read(back);
    EXPECT_EQ(back.displaySpeed, 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()),
              1);
}

// Files written by earlier versions must keep reading, and the other way round.
TEST_F(FilePreferenceStoreTest, WritesOneLinePerValueInAFixedOrder) {
    FilePreferenceStore(file).write(sampleRecord());
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text,
              "subAN=3\n"
              "subPH=100000000\n"
              "subCO=2\n"
              "subCR=200 201 202 203 204 205 206 207 208 209 210 211 212 213 214 215 216 217 218 "
              "219 220 221 222 223 224 225 226 227 228 229 230 231 232 233 234 235\n"
              "subWZ=0\n"
              "subDS=4\n"
              "subDC=0\n"
              "subSZ=150\n");
}

TEST_F(FilePreferenceStoreTest, EachNameFillsItsOwnFieldOnly) {
    const struct {
        const char* line;
        std::int32_t PreferenceRecord::*field;
    } cases[] = {
        {"subAN=1", &PreferenceRecord::normalizeTarget}, {"subPH=1", &PreferenceRecord::peakHold},
        {"subCO=1", &PreferenceRecord::colourScheme},    {"subWZ=1", &PreferenceRecord::zoomRange},
        {"subDS=1", &PreferenceRecord::displaySpeed},    {"subDC=1", &PreferenceRecord::dcRemoval},
        {"subSZ=1", &PreferenceRecord::editorScale},
    };
    for (const auto& c : cases) {
        writeFile(std::string(c.line) + "\n");
        PreferenceRecord record = sentinelRecord();
        FilePreferenceStore(file).read(record);
        PreferenceRecord expected = sentinelRecord();
        expected.*c.field = 1;
        EXPECT_TRUE(record == expected) << c.line;
    }
}

TEST_F(FilePreferenceStoreTest, NothingStoredLeavesEveryField) {
    PreferenceRecord record = sentinelRecord();
    FilePreferenceStore(file).read(record);  // no file yet
    FilePreferenceStore(fs::path()).read(record);
    FilePreferenceStore(fs::path()).write(sampleRecord());  // nowhere to write: no fault
    EXPECT_TRUE(record == sentinelRecord());
}

TEST_F(FilePreferenceStoreTest, DamagedValuesLeaveTheirFieldsOthersAreRead) {
    writeFile(
        "garbage without equals\n"
        "subAN=abc\n"
        "subPH=\n"
        "subCO=1 2\n"
        "subWZ=99999999999\n"
        "subXX=5\n"
        "subDS=4\r\n"
        "subDC= 0 \n"
        "subCR=1 2 x\n");
    PreferenceRecord record = sentinelRecord();
    FilePreferenceStore(file).read(record);
    PreferenceRecord expected = sentinelRecord();
    expected.displaySpeed = 4;  // values are not range-checked
    expected.dcRemoval = 0;
    EXPECT_TRUE(record == expected);
}

TEST_F(FilePreferenceStoreTest, ShortColourListReplacesOnlyItsEntriesLongOneIsIgnored) {
    writeFile("subCR=0 160 0 200 220 255\n");
    PreferenceRecord record = sentinelRecord();
    FilePreferenceStore(file).read(record);
    EXPECT_EQ(record.waveColours[1], 160);
    EXPECT_EQ(record.waveColours[5], 255);
    EXPECT_EQ(record.waveColours[6], -7);

    std::string tooMany = "subCR=";
    for (int i = 1; i <= 37; ++i) tooMany += std::to_string(i) + " ";
    writeFile(tooMany + "\n");
    record = sentinelRecord();
    FilePreferenceStore(file).read(record);
    EXPECT_EQ(record.waveColours[0], -7);
}

TEST_F(FilePreferenceStoreTest, OversizedOrUnwritableFilesAreLeftAlone) {
    writeFile("subAN=1\n" + std::string(10000, '#') + "\n");
    PreferenceRecord record = sentinelRecord();
    FilePreferenceStore(file).read(record);
    EXPECT_EQ(record.normalizeTarget, -7);

    // A file where the folder should be: the write fails quietly.
    std::ofstream(folder / "blocked") << "x";
    FilePreferenceStore(folder / "blocked" / "preferences").write(sampleRecord());
    EXPECT_TRUE(fs::is_regular_file(folder / "blocked"));
}

class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvironmentVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(FilePreferenceLocation, FollowsTheConfigurationFolderConvention) {
    {
        EnvironmentVariable config("XDG_CONFIG_HOME", "/srv/cfg");
        EnvironmentVariable home("HOME", "/home/ann");
        EXPECT_EQ(FilePreferenceStore::defaultLocation(),
                  fs::path("/srv/cfg/velmorin/preferences"));
    }
    {
        EnvironmentVariable config("XDG_CONFIG_HOME", "relative/cfg");  // not absolute: ignored
        EnvironmentVariable home("HOME", "/home/ann");
        EXPECT_EQ(FilePreferenceStore::defaultLocation(),
                  fs::path("/home/ann/.config/velmorin/preferences"));
    }
    {
        EnvironmentVariable config("XDG_CONFIG_HOME", nullptr);
        EnvironmentVariable home("HOME", nullptr);
        EXPECT_TRUE(FilePreferenceStore::defaultLocation().empty());
    }
}

}  // namespace
}  // namespace platform
