// The context menu through the window procedure: where a right click shows
// it, what each command sets, applies and stores, the custom colour dialog
// confirmed and cancelled, and the next editor opening with the choices.
#include "editor/menu_commands.h"

#include <cmath>

#include "editor/context_menu.h"
#include "input_fixture.h"

namespace velmorin {
namespace {

class MenuCommandsTest : public InputFixture {
  protected:
    void choose(EditedEffect& effect, std::uint16_t id) {
        windows.send(windowOf(effect), platform::kMsgContextMenu, 0, at(100, 100));
        ASSERT_TRUE(windows.chooseMenuCommand(id)) << id;
    }
    platform::PreferenceRecord storedRecord() {
        platform::PreferenceRecord record{-7, -7, -7, {}, -7, -7, -7};
        preferences.read(record);
        return record;
    }
    bool checked(EditedEffect& effect, std::uint16_t id) const {
        return windows.isMenuItemChecked(view(effect).menu, id);
    }
    platform::Colour pen(EditedEffect& effect, int display, int role) const {
        return view(effect).wavePens[display][role]->colour();
    }
};

TEST_F(MenuCommandsTest, RightClickShowsTheMenuOnlyInsideTheWindow) {
    for (const platform::Point origin : {platform::Point{200, 100}, platform::Point{-300, -200}}) {
        SCOPED_TRACE(origin.x);
        EditedEffect& effect = openEditor();
        const platform::WindowHandle window = windowOf(effect);
        windows.placeOnScreen(window, origin);
        windows.setFocus(view(effect).controls.valueBox(kOutput));

        windows.send(window, platform::kMsgContextMenu, 0, at(origin.x - 1, origin.y + 10));
        EXPECT_FALSE(windows.openPopup());
        EXPECT_EQ(windows.focus(), window);

        windows.send(window, platform::kMsgContextMenu, 0, at(origin.x + 653, origin.y + 430));
        ASSERT_TRUE(windows.openPopup());
        EXPECT_EQ(windows.openPopup()->menu, view(effect).menu);
        EXPECT_EQ(windows.openPopup()->index, 0);
        EXPECT_EQ(windows.openPopup()->owner, window);
        EXPECT_EQ(windows.openPopup()->screen, (platform::Point{origin.x + 653, origin.y + 430}));
        editorOf(effect).close();
        effects.clear();
    }
}

TEST_F(MenuCommandsTest, EachCommandSetsChecksAndStoresItsValue) {
    using Field = std::int32_t platform::PreferenceRecord::*;
    using R = platform::PreferenceRecord;
    struct Case {
        std::uint16_t id;
        Field field;
        std::int32_t value;
    };
    const Case cases[] = {
        {kCmdDcOff, &R::dcRemoval, 0},
        {kCmdDcOn, &R::dcRemoval, 1},
        {kCmdNormalize001, &R::normalizeTarget, 1},
        {kCmdNormalize005, &R::normalizeTarget, 3},
        {kCmdNormalize009, &R::normalizeTarget, 2},
        {kCmdNormalize0, &R::normalizeTarget, 0},
        {kCmdColoursNatural, &R::colourScheme, 0},
        {kCmdColoursIcy, &R::colourScheme, 1},
        {kCmdZoom5x, &R::zoomRange, 0},
        {kCmdZoom16x, &R::zoomRange, 2},
        {kCmdZoom10x, &R::zoomRange, 1},
        {kCmdPeakHold2s, &R::peakHold, 16},
        {kCmdPeakHold6s, &R::peakHold, 48},
        {kCmdPeakHold8s, &R::peakHold, 64},
        {kCmdPeakHold10s, &R::peakHold, 80},
        {kCmdPeakHold20s, &R::peakHold, 160},
        {kCmdPeakHold30s, &R::peakHold, 240},
        {kCmdPeakHoldForever, &R::peakHold, 100000000},
        {kCmdPeakHold4s, &R::peakHold, 32},
        {kCmdSpeedSlow, &R::displaySpeed, 1},
        {kCmdSpeedFast, &R::displaySpeed, 3},
        {kCmdSpeedNormal, &R::displaySpeed, 2},
    };
    EditedEffect& effect = openEditor();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        choose(effect, c.id);
        const R stored = storedRecord();
        EXPECT_EQ(stored.*c.field, c.value);
        EXPECT_TRUE(checked(effect, c.id));
        // Every other field is stored whole too.
        for (Field other : {&R::normalizeTarget, &R::peakHold, &R::colourScheme, &R::zoomRange,
                            &R::displaySpeed, &R::dcRemoval})
            EXPECT_NE(stored.*other, -7);
        EXPECT_EQ(stored.waveColours, view(effect).prefs.waveColours);
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(MenuCommandsTest, EngineSettingsReachTheEngineAndSpeedRestartsTheTimer) {
    EditedEffect& effect = openEditor();
    choose(effect, kCmdNormalize009);
    choose(effect, kCmdDcOff);
    EXPECT_EQ(effect.engine().normalizeTarget.get(), 2);
    EXPECT_EQ(effect.engine().dcRemoval.get(), 0);
    EXPECT_FALSE(checked(effect, kCmdNormalize0));
    EXPECT_FALSE(checked(effect, kCmdDcOn));

    for (auto [id, period] : {std::pair{kCmdSpeedSlow, 166u}, {kCmdSpeedFast, 100u}}) {
        choose(effect, id);
        EXPECT_EQ(windows.timerPeriod(windowOf(effect), kEditorTimerId), period);
    }
    EXPECT_FALSE(checked(effect, kCmdSpeedSlow));
    EXPECT_EQ(view(effect).prefs.displaySpeed, 3);
}

TEST_F(MenuCommandsTest, DcRemovalOffLetsTheNextBlockKeepAnOffset) {
    const auto lastOutput = [](EditedEffect& effect) {
        std::vector<float> left(8192, 0.25f), right(8192, 0.25f);
        float* io[2] = {left.data(), right.data()};
        effect.processReplacing(io, io, static_cast<int32_t>(left.size()));
        return left.back();
    };
    EditedEffect& removing = openEditor();
    EditedEffect& keeping = makeEffect();
    ASSERT_TRUE(editorOf(keeping).open(&otherHostWindow));
    choose(keeping, kCmdDcOff);
    const float removed = std::fabs(lastOutput(removing));
    const float kept = std::fabs(lastOutput(keeping));
    EXPECT_LT(removed, kept / 2.0f) << removed << " " << kept;
    editorOf(keeping).close();
}

TEST_F(MenuCommandsTest, ZoomRangesMoveTheZoomValuesWithoutAutomation) {
    EditedEffect& effect = openEditor([](EditedEffect& e) {
        e.setParameter(kZoomH, 1.0f);
        e.setParameter(kZoomM, 20.0f);
        e.setParameter(kZoomL, 14.0f);
    });
    const auto zooms = [&effect] {
        std::vector<float> values;
        for (ParameterIndex zoom : {kZoomMaster, kZoomH, kZoomM, kZoomL})
            values.push_back(stored(effect, zoom));
        return values;
    };
    const float master = stored(effect, kZoomMaster);
    choose(effect, kCmdZoom16x);
    EXPECT_EQ(zooms(), (std::vector<float>{std::max(master, 2.0f), 2, 20, 14}));
    EXPECT_EQ(view(effect).controls.zoomFader(kZoomH)->minimum(), 2.0f);
    EXPECT_EQ(view(effect).controls.zoomFader(kZoomH)->maximum(), 32.0f);
    choose(effect, kCmdZoom5x);
    EXPECT_EQ(zooms(), (std::vector<float>{std::min(std::max(master, 2.0f), 10.0f), 2, 10, 10}));
    EXPECT_EQ(view(effect).controls.zoomFader(kZoomL)->maximum(), 10.0f);
    EXPECT_TRUE(reports.empty());  // setParameter, not the automated form
}

TEST_F(MenuCommandsTest, CustomColoursComeFromTheDialogOnlyWhenConfirmed) {
    EditedEffect& effect = openEditor();
    choose(effect, kCmdColoursNatural);
    std::array<platform::Colour, 16> offered{};
    windows.colourDialogUser = [&offered](std::array<platform::Colour, 16>& colours) {
        offered = colours;
        colours[3] = platform::rgb(1, 2, 3);      // Mid outer trace
        colours[11] = platform::rgb(40, 50, 60);  // Master threshold line
        colours[12] = platform::rgb(7, 7, 7);     // the user's own
        return true;
    };
    choose(effect, kCmdColoursCustom);
    EXPECT_EQ(offered[3], platform::rgb(0, 140, 0));  // the Natural table
    EXPECT_EQ(offered[11], platform::rgb(200, 0, 0));
    const platform::Colour initial = windows.lastColourDialogInitial();
    EXPECT_EQ(pen(effect, 1, 0), platform::rgb(1, 2, 3));
    EXPECT_EQ(pen(effect, 3, 2), platform::rgb(40, 50, 60));
    EXPECT_EQ(view(effect).prefs.colourScheme, 2);
    EXPECT_FALSE(checked(effect, kCmdColoursNatural));
    EXPECT_FALSE(checked(effect, kCmdColoursIcy));
    EXPECT_FALSE(checked(effect, kCmdColoursCustom));
    const platform::PreferenceRecord stored = storedRecord();
    EXPECT_EQ(stored.colourScheme, 2);
    EXPECT_EQ((std::array{stored.waveColours[9], stored.waveColours[10], stored.waveColours[11]}),
              (std::array{1, 2, 3}));

    windows.colourDialogUser = [&offered](std::array<platform::Colour, 16>& colours) {
        offered = colours;
        colours[0] = platform::rgb(9, 9, 9);
        return false;
    };
    choose(effect, kCmdColoursCustom);
    EXPECT_EQ(offered[12], platform::rgb(7, 7, 7));         // kept from the last dialog
    EXPECT_EQ(windows.lastColourDialogInitial(), initial);  // fixed once per process
    EXPECT_EQ(pen(effect, 1, 0), platform::rgb(1, 2, 3));   // the colours stay
    EXPECT_EQ(pen(effect, 0, 0), platform::rgb(0, 160, 0));
    EXPECT_EQ(view(effect).prefs.colourScheme, 2);
    EXPECT_EQ(windows.colourDialogsShown(), 2);
}

TEST_F(MenuCommandsTest, TheNextEditorOpensWithTheLastChoices) {
    EditedEffect& first = openEditor();
    choose(first, kCmdSpeedFast);
    choose(first, kCmdColoursNatural);
    choose(first, kCmdPeakHold30s);
    choose(first, kCmdDcOff);
    EditedEffect& second = makeEffect();
    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    EXPECT_EQ(windows.timerPeriod(windowOf(second), kEditorTimerId), 100u);
    EXPECT_EQ(pen(second, 1, 0), platform::rgb(0, 140, 0));
    EXPECT_TRUE(checked(second, kCmdPeakHold30s));
    EXPECT_EQ(second.engine().dcRemoval.get(), 0);
    EXPECT_EQ(first.engine().dcRemoval.get(), 0);
    editorOf(second).close();
}

TEST_F(MenuCommandsTest, OtherIdsAndInfoStoreNothing) {
    EditedEffect& effect = openEditor();
    windows.send(windowOf(effect), platform::kMsgCommand, 40001, 0);
    windows.send(windowOf(effect), platform::kMsgCommand, 0, 0);
    windows.send(windowOf(effect), platform::kMsgCommand, kCmdInfo, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "preferences"));
    EXPECT_TRUE(editorOf(effect).information().window());
}

TEST_F(MenuCommandsTest, StoredColoursOutsideTheirRangeKeepTheirLowByte) {
    platform::PreferenceRecord record{0, 0, 2, DisplayPrefs{}.waveColours, 1, 0, 1};
    record.waveColours[0] = -1;
    record.waveColours[1] = 256;
    record.waveColours[2] = 300;
    preferences.write(record);
    EditedEffect& effect = openEditor();
    EXPECT_EQ(pen(effect, 0, 0), platform::rgb(255, 0, 44));
    windows.colourDialogUser = [](std::array<platform::Colour, 16>& colours) {
        return colours[0] == platform::rgb(255, 0, 44);
    };
    choose(effect, kCmdColoursCustom);
    EXPECT_EQ((std::array{view(effect).prefs.waveColours[0], view(effect).prefs.waveColours[1],
                          view(effect).prefs.waveColours[2]}),
              (std::array{255, 0, 44}));
    // A peak hold of 0 and speed 0 check nothing and fall back to Normal's period.
    EXPECT_FALSE(checked(effect, kCmdPeakHold2s));
    EXPECT_FALSE(checked(effect, kCmdSpeedNormal));
    EXPECT_EQ(windows.timerPeriod(windowOf(effect), kEditorTimerId), 125u);
}

}  // namespace
}  // namespace velmorin
