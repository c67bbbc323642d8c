// The "Size" menu through the real editor, headless: a size chosen redraws
// the open editor at that scale in a window of that size, asks the host to
// follow (a host that refuses keeps everything as it was), is checked in the
// menu and is stored for the next editor.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "editor/ad_editor.h"
#include "editor/context_menu.h"
#include "editor/editor_timer.h"
#include "editor/shared_editor_resources.h"
#include "editor/soft_editor_scales.h"
#include "engine/effect.h"
#include "formats/in_process/in_process_controls.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/headless_windows.h"
#include "platform/window_messages.h"
#include "resources/embedded_bitmaps.h"
#include "snapshot/editor_snapshot.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

struct HostSize {
    int width;
    int height;
    friend bool operator==(const HostSize&, const HostSize&) = default;
};

class EditorSizeTest : public ::testing::Test {
  protected:
    // An effect with its editor, whose host answers size requests as the
    // test says and remembers them.
    struct EditedEffect {
        explicit EditedEffect(EditorSizeTest& test) : EditedEffect(test, test.platform) {}
        EditedEffect(EditorSizeTest& test, const EditorPlatform& platform)
            : editor(controls, platform) {
            editor.setHostResize([this, &test](int width, int height) {
                asked.push_back({width, height});
                return test.hostAccepts;
            });
        }
        Effect effect;
        InProcessControls controls{effect};
        ADEditor editor;
        std::vector<HostSize> asked;
    };

    void SetUp() override { fs::remove_all(folder); }
    void TearDown() override {
        effects.clear();
        EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
        fs::remove_all(folder);
    }

    EditedEffect& open() {
        effects.push_back(std::make_unique<EditedEffect>(*this));
        EXPECT_TRUE(effects.back()->editor.open(&hostWindow));
        return *effects.back();
    }
    void choose(EditedEffect& e, std::uint16_t id) {
        windows.send(e.editor.view().window, platform::kMsgContextMenu, 0,
                     platform::pointParam({100, 100}));
        ASSERT_TRUE(windows.chooseMenuCommand(id)) << id;
    }
    HostSize windowSize(EditedEffect& e) const {
        const auto pixels = windows.clientPixels(e.editor.view().window);
        return {pixels->width, pixels->height};
    }
    std::int32_t storedSize() {
        platform::PreferenceRecord record;
        record.editorScale = -1;
        preferences.read(record);
        return record.editorScale;
    }
    // The one size item checked, by its stored value.
    std::optional<std::int32_t> checkedSize(EditedEffect& e) const {
        std::optional<std::int32_t> checked;
        for (const MenuChoice& choice : kEditorScaleChoices)
            if (windows.isMenuItemChecked(e.editor.view().menu, choice.command)) {
                EXPECT_FALSE(checked) << "two sizes checked";
                checked = choice.value;
            }
        return checked;
    }

    fs::path folder = fs::temp_directory_path() / ("velmorin-size-" + std::to_string(::getpid()));
    double systemFactor = 1.75;
    bool hostAccepts = true;
    int hostWindow = 0;
    platform::HeadlessWindows windows;
    SoftEditorScales scales{embeddedBitmapsAt, [this] { return systemFactor; }};
    platform::FilePreferenceStore preferences{folder / "preferences"};
    EditorPlatform platform{scales.graphicsAt({}), windows, preferences, &scales};
    std::vector<std::unique_ptr<EditedEffect>> effects;
};

TEST_F(EditorSizeTest, EachSizeResizesTheWindowAsksTheHostChecksAndStores) {
    const struct {
        std::uint16_t command;
        std::int32_t stored;
        double factor;  // Automatic follows the system's 1.75
    } cases[] = {
        {kCmdSize125, 125, 1.25}, {kCmdSize150, 150, 1.5},      {kCmdSize175, 175, 1.75},
        {kCmdSize200, 200, 2.0},  {kCmdSize250, 250, 2.5},      {kCmdSize300, 300, 3.0},
        {kCmdSize100, 100, 1.0},  {kCmdSizeAutomatic, 0, 1.75},
    };
    EditedEffect& e = open();
    // Nothing stored yet: Automatic, at the system's scale.
    EXPECT_EQ(windowSize(e), (HostSize{1145, 754}));
    EXPECT_EQ(checkedSize(e), 0);
    for (const auto& c : cases) {
        const HostSize expected{static_cast<int>(std::lround(654 * c.factor)),
                                static_cast<int>(std::lround(431 * c.factor))};
        const HostSize before = windowSize(e);
        e.asked.clear();
        choose(e, c.command);
        EXPECT_EQ(windowSize(e), expected) << c.stored;
        EXPECT_EQ(e.editor.scale().factor(), c.factor) << c.stored;
        // The host hears of a change only.
        EXPECT_EQ(e.asked,
                  before == expected ? std::vector<HostSize>{} : std::vector<HostSize>{expected})
            << c.stored;
        EXPECT_EQ(checkedSize(e), c.stored);
        EXPECT_EQ(storedSize(), c.stored);
    }
}

TEST_F(EditorSizeTest, TheNewScaleShowsThePictureOfThatScale) {
    // Painted first: the editors of a process share one platform at a time.
    const platform::PixelBuffer expected = snapshot::snapshotEditor(
        snapshot::Scene{.prepare = {}, .scale = platform::Scale::ofQuarters(8)});
    systemFactor = 1.0;
    EditedEffect& e = open();
    choose(e, kCmdSize200);
    const platform::WindowHandle window = e.editor.view().window;
    windows.advance(timerPeriodMs(e.editor.view().prefs.displaySpeed));
    windows.invalidate(window);
    windows.updateWindow(window);
    EXPECT_TRUE(windows.clientPixels(window)->pixels == expected.pixels);
}

TEST_F(EditorSizeTest, AHostThatRefusesKeepsTheSizeThePictureAndTheChoice) {
    systemFactor = 1.0;
    EditedEffect& e = open();
    choose(e, kCmdSize150);
    windows.advance(timerPeriodMs(e.editor.view().prefs.displaySpeed));
    const platform::WindowHandle window = e.editor.view().window;
    windows.invalidate(window);
    windows.updateWindow(window);
    const std::vector<platform::Colour> before = windows.clientPixels(window)->pixels;

    hostAccepts = false;
    choose(e, kCmdSize250);
    EXPECT_EQ(e.asked.back(), (HostSize{1635, 1078}));
    EXPECT_EQ(windowSize(e), (HostSize{981, 647}));
    EXPECT_EQ(checkedSize(e), 150);
    EXPECT_EQ(storedSize(), 150);
    windows.invalidate(window);
    windows.updateWindow(window);
    EXPECT_TRUE(windows.clientPixels(window)->pixels == before);
}

TEST_F(EditorSizeTest, TheChoiceOutlivesTheEditor) {
    EditedEffect& first = open();
    choose(first, kCmdSize150);
    first.editor.close();
    effects.clear();

    systemFactor = 3.0;  // a stored size wins over the system's
    effects.push_back(std::make_unique<EditedEffect>(*this));
    ADEditor& next = effects.back()->editor;
    EXPECT_EQ(next.scale().percent(), 150);  // what a host asks before the open
    ASSERT_TRUE(next.open(&hostWindow));
    EXPECT_EQ(windowSize(*effects.back()), (HostSize{981, 647}));
    EXPECT_EQ(checkedSize(*effects.back()), 150);
}

TEST_F(EditorSizeTest, TheHostsFactorComesAfterTheUsersChoiceAndIsFollowedAtOnce) {
    EditedEffect& e = open();
    const struct {
        std::optional<std::uint16_t> userChoice;
        std::optional<double> hostFactor;
        HostSize expected;
    } cases[] = {
        {std::nullopt, 2.0, {1308, 862}},           // over the system's 1.75
        {std::nullopt, 1.4, {981, 647}},            // snapped to 1.5
        {std::nullopt, std::nullopt, {1145, 754}},  // the system's again
        {std::nullopt, -1.0, {1145, 754}},          // nonsense defers to the system
        {kCmdSize125, 2.0, {818, 539}},             // the user's choice first
        {kCmdSizeAutomatic, 2.5, {1635, 1078}},     // Automatic defers to the host
    };
    for (const auto& c : cases) {
        if (c.userChoice) choose(e, *c.userChoice);
        e.asked.clear();
        e.editor.setHostScaleFactor(c.hostFactor);
        EXPECT_EQ(windowSize(e), c.expected) << c.hostFactor.value_or(0);
        // The host asked: it is not asked again.
        EXPECT_TRUE(e.asked.empty());
    }
}

// Windows tells an editor window moved to a monitor of another DPI
// (WM_DPICHANGED_AFTERPARENT): Automatic follows and asks the host to fit
// it; a chosen size stays.
TEST_F(EditorSizeTest, AMonitorOfAnotherScaleIsFollowedOnlyInAutomatic) {
    systemFactor = 1.0;
    EditedEffect& e = open();
    const auto moveToAMonitorAt = [&](double factor) {
        systemFactor = factor;
        e.asked.clear();
        windows.send(e.editor.view().window, platform::kMsgDpiChangedAfterParent, 0, 0);
    };
    moveToAMonitorAt(2.0);
    EXPECT_EQ(windowSize(e), (HostSize{1308, 862}));
    EXPECT_EQ(e.asked, (std::vector<HostSize>{{1308, 862}}));

    choose(e, kCmdSize150);
    moveToAMonitorAt(1.0);
    EXPECT_EQ(windowSize(e), (HostSize{981, 647}));
    EXPECT_TRUE(e.asked.empty());
}

// The system's scale where an editor window is shown, unlike where a closed
// editor is measured: a window on a second monitor.
class SecondMonitorScales : public EditorScales {
  public:
    SecondMonitorScales(EditorScales& main, double factor) : main_(main), factor_(factor) {}
    platform::Graphics& graphicsAt(platform::Scale scale) override {
        return main_.graphicsAt(scale);
    }
    double systemScaleFactor(platform::WindowHandle window) override {
        return window ? factor_ : main_.systemScaleFactor(window);
    }

  private:
    EditorScales& main_;
    double factor_;
};

TEST_F(EditorSizeTest, AWindowOnAMonitorOfAnotherScaleAsksTheHostAtOnce) {
    systemFactor = 1.0;
    SecondMonitorScales second(scales, 2.0);
    const EditorPlatform onSecond{scales.graphicsAt({}), windows, preferences, &second};
    for (const bool accepts : {true, false}) {
        SCOPED_TRACE(accepts);
        hostAccepts = accepts;
        EditedEffect e(*this, onSecond);
        EXPECT_EQ(e.editor.scale().factor(), 1.0);  // what the host hears while closed
        ASSERT_TRUE(e.editor.open(&hostWindow));
        EXPECT_EQ(e.asked, (std::vector<HostSize>{{1308, 862}}));
        EXPECT_EQ(windowSize(e), accepts ? (HostSize{1308, 862}) : (HostSize{654, 431}));
    }
}

}  // namespace
}  // namespace velmorin
