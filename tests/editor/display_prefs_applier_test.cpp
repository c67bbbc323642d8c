// Opening applies the stored display preferences: check marks, wave pen
// colours, zoom ranges and the values they move, and the engine's two
// settings; values no menu item offers check nothing (a size no item offers
// is Automatic).
#include "editor/display_prefs_applier.h"

#include "editor/context_menu.h"
#include "editor/editor_timer.h"
#include "editor_fixture.h"

namespace velmorin {
namespace {

class DisplayPrefsApplierTest : public EditorFixture {
  protected:
    platform::PreferenceRecord storedDefaults() const {
        return {0, 32, 1, DisplayPrefs{}.waveColours, 1, 2, 1};
    }
    EditedEffect& openWith(const platform::PreferenceRecord& record) {
        preferences.write(record);
        EditedEffect& effect = makeEffect();
        EXPECT_TRUE(editorOf(effect).open(&hostWindow));
        return effect;
    }
    std::set<int> checked(EditedEffect& effect) const {
        std::set<int> ids;
        for (int id = 40000; id <= kCmdSize300; ++id)
            if (windows.isMenuItemChecked(editorOf(effect).view().menu, id)) ids.insert(id);
        return ids;
    }
    platform::Colour pen(EditedEffect& effect, int display, int role) const {
        return editorOf(effect).view().wavePens[display][role]->colour();
    }
};

TEST_F(DisplayPrefsApplierTest, NothingStoredGivesTheEffectsOwnChoicesAllChecked) {
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    EXPECT_EQ(checked(effect),
              (std::set<int>{kCmdColoursIcy, kCmdZoom10x, kCmdPeakHold4s, kCmdSpeedNormal,
                             kCmdNormalize0, kCmdDcOn, kCmdSizeAutomatic}));
    EXPECT_EQ(pen(effect, 0, 0), platform::rgb(128, 137, 223));
    EXPECT_EQ(pen(effect, 1, 0), platform::rgb(112, 120, 195));
    EXPECT_EQ(pen(effect, 2, 0), platform::rgb(98, 105, 171));
    EXPECT_EQ(pen(effect, 3, 0), platform::rgb(128, 137, 223));
    EXPECT_EQ(pen(effect, 3, 2), platform::rgb(200, 0, 0));
    EXPECT_EQ(editorOf(effect).view().prefs.waveColours[9], 112);  // the table holds Icy too
    EXPECT_EQ(editorOf(effect).view().controls.zoomFader(kZoomM)->maximum(), 20.0f);
    editorOf(effect).close();
}

TEST_F(DisplayPrefsApplierTest, StoredValuesOutsideTheMenuCheckNothing) {
    platform::PreferenceRecord record = storedDefaults();
    record.displaySpeed = 4;
    record.peakHold = 100;
    record.normalizeTarget = 9;
    record.zoomRange = -1;
    record.colourScheme = 5;
    record.editorScale = 160;
    EditedEffect& effect = openWith(record);
    EXPECT_EQ(windows.timerPeriod(windowOf(effect), kEditorTimerId), 80u);
    // A size no item offers is Automatic.
    EXPECT_EQ(checked(effect), (std::set<int>{kCmdDcOn, kCmdSizeAutomatic}));
    EXPECT_EQ(effect.engine().normalizeTarget.get(), 9);
    // Pens keep their starting colours, zoom faders their creation range.
    EXPECT_EQ(pen(effect, 0, 0), platform::rgb(0, 160, 0));
    EXPECT_EQ(editorOf(effect).view().controls.zoomFader(kZoomH)->maximum(), 20.0f);
    editorOf(effect).close();
}

TEST_F(DisplayPrefsApplierTest, ZoomRangeSetsTheFadersAndMovesStoredZoomsIntoIt) {
    platform::PreferenceRecord record = storedDefaults();
    record.zoomRange = 2;
    EditedEffect& first = makeEffect();
    first.setParameter(kZoomH, 1.0f);
    first.setParameter(kZoomL, 40.0f);
    first.setParameter(kZoomM, 0.0f);
    preferences.write(record);
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    const auto& zoom = first.engine().stored.zoom;  // ZoomMaster, ZoomH, ZoomM, ZoomL
    EXPECT_EQ(zoom[1].get(), 2);                    // raised to the bottom
    EXPECT_EQ(zoom[2].get(), 2);
    EXPECT_EQ(zoom[3].get(), 40);  // the largest range lowers nothing
    const SmallFader& fader = *editorOf(first).view().controls.zoomFader(kZoomMaster);
    EXPECT_EQ(fader.minimum(), 2.0f);
    EXPECT_EQ(fader.maximum(), 32.0f);
    EXPECT_TRUE(windows.isMenuItemChecked(editorOf(first).view().menu, kCmdZoom16x));
    editorOf(first).close();

    record.zoomRange = 0;
    preferences.write(record);
    first.setParameter(kZoomH, 15.0f);
    first.setParameter(kZoomM, 0.0f);
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    EXPECT_EQ(zoom[1].get(), 10);  // lowered to the top
    EXPECT_EQ(zoom[2].get(), 0);   // the smaller ranges raise nothing
    EXPECT_EQ(zoom[3].get(), 10);
    EXPECT_EQ(editorOf(first).view().controls.zoomFader(kZoomL)->maximum(), 10.0f);
    editorOf(first).close();
}

TEST_F(DisplayPrefsApplierTest, StoredChoicesAreCheckedAndSchemesRecolourThePens) {
    platform::PreferenceRecord record = storedDefaults();
    record.colourScheme = 0;
    record.normalizeTarget = 2;
    record.dcRemoval = 0;
    record.displaySpeed = 1;
    record.peakHold = 100000000;
    record.editorScale = 175;
    EditedEffect& natural = openWith(record);
    EXPECT_EQ(pen(natural, 1, 0), platform::rgb(0, 140, 0));
    EXPECT_EQ(pen(natural, 2, 0), platform::rgb(0, 120, 0));
    EXPECT_EQ(checked(natural),
              (std::set<int>{kCmdColoursNatural, kCmdNormalize009, kCmdDcOff, kCmdSpeedSlow,
                             kCmdPeakHoldForever, kCmdZoom10x, kCmdSize175}));
    // The engine's two settings come from the store with the others.
    EXPECT_EQ(natural.engine().normalizeTarget.get(), 2);
    EXPECT_EQ(natural.engine().dcRemoval.get(), 0);
    editorOf(natural).close();

    record.colourScheme = 2;
    record.waveColours[12] = 10;   // entry 4: Mid inner trace
    record.waveColours[13] = 300;  // taken modulo 256, as RGB() does
    record.waveColours[14] = 30;
    EditedEffect& custom = openWith(record);
    EXPECT_EQ(pen(custom, 1, 1), platform::rgb(10, 44, 30));
    EXPECT_EQ(pen(custom, 0, 0), platform::rgb(0, 160, 0));
    EXPECT_FALSE(checked(custom).count(kCmdColoursNatural));
    EXPECT_FALSE(checked(custom).count(kCmdColoursIcy));
    EXPECT_FALSE(checked(custom).count(kCmdColoursCustom));
    editorOf(custom).close();
}

}  // namespace
}  // namespace velmorin
