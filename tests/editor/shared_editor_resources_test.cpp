// The process-wide editor resources: created by the first open, kept while
// any editor is open, balanced after failed opens, and a window table that
// never grows past its 128 slots.
#include "editor/shared_editor_resources.h"

#include "editor_fixture.h"

namespace velmorin {
namespace {

class SharedEditorResourcesTest : public EditorFixture {
  protected:
    SharedEditorResources& shared = SharedEditorResources::process();
};

TEST_F(SharedEditorResourcesTest, FirstOpenCreatesAndLastCloseDestroysAcrossEffects) {
    EditedEffect& first = makeEffect();
    EditedEffect& second = makeEffect();
    graphics.bitmapsLoaded = 0;  // the information window's, made with the first effect

    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    EXPECT_TRUE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(graphics.bitmapsLoaded, 15);
    EXPECT_EQ(shared.drawing({}).skin().width(), 654);
    EXPECT_EQ(shared.drawing({}).bitmap(kBitmapCapZoom).height(), 21);
    EXPECT_EQ(shared.drawing({}).font().request().height, 14);

    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    EXPECT_EQ(shared.openEditorCount(), 2);
    EXPECT_EQ(windows.commonControlsInits(), 1);
    EXPECT_EQ(graphics.bitmapsLoaded, 15);  // nothing loaded again
    EXPECT_EQ(shared.windowInSlot(1), windowOf(second));

    editorOf(first).close();
    EXPECT_TRUE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(shared.drawing({}).skin().width(), 654);  // the second editor still draws with it

    editorOf(second).close();
    EXPECT_EQ(shared.openEditorCount(), 0);
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(shared.windows(), nullptr);
}

TEST_F(SharedEditorResourcesTest, FailedOpensLeaveTheCountAndResourcesBalanced) {
    EditedEffect& first = makeEffect();
    EditedEffect& second = makeEffect();
    graphics.bitmapsLoaded = 0;

    windows.failures.classRegistration = true;
    EXPECT_FALSE(editorOf(first).open(&hostWindow));
    EXPECT_EQ(shared.openEditorCount(), 0);
    EXPECT_EQ(graphics.bitmapsLoaded, 0);
    windows.failures.classRegistration = false;

    // As the first editor: everything the open created goes again.
    windows.failures.windowCreation = true;
    EXPECT_FALSE(editorOf(first).open(&hostWindow));
    EXPECT_FALSE(editorOf(first).isOpen());
    EXPECT_EQ(shared.openEditorCount(), 0);
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
    editorOf(first).close();  // finds no window and does nothing
    EXPECT_EQ(shared.openEditorCount(), 0);

    // Behind an open editor: only the count is given back.
    windows.failures.windowCreation = false;
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    windows.failures.windowCreation = true;
    EXPECT_FALSE(editorOf(second).open(&otherHostWindow));
    EXPECT_EQ(shared.openEditorCount(), 1);
    EXPECT_TRUE(windows.isClassRegistered("Velmorin"));
    editorOf(first).close();
    EXPECT_EQ(shared.openEditorCount(), 0);
}

TEST_F(SharedEditorResourcesTest, MissingSkinIsReportedAndTheOpenGoesOn) {
    graphics.missing = {kBitmapSkin, kBitmapCapStandard};
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    ASSERT_EQ(windows.messageBoxes().size(), 1u);
    EXPECT_EQ(windows.messageBoxes()[0].text, "Not enough memory !");
    EXPECT_EQ(windows.messageBoxes()[0].caption, "Error");
    EXPECT_FALSE(windows.messageBoxes()[0].owner);
    // Missing bitmaps draw nothing: the window stays black where the skin
    // and a ratio cap would be.
    EXPECT_EQ(at(effect, 100, 100), platform::rgb(0, 0, 0));
    EXPECT_EQ(at(effect, 120, 60), platform::rgb(0, 0, 0));
    editorOf(effect).close();
}

TEST_F(SharedEditorResourcesTest, FullTableEntersNoMoreAndReusesTheSlotOfADeadWindow) {
    EditedEffect& first = makeEffect();
    EditedEffect& second = makeEffect();
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    std::vector<platform::WindowHandle> listed{windowOf(first)};
    for (int slot = 1; slot < SharedEditorResources::kWindowTableSize; ++slot) {
        listed.push_back(windows.createChildWindow("Velmorin", "", &hostWindow, 1, 1));
        ASSERT_TRUE(shared.enterWindow(listed.back()));
    }
    EXPECT_EQ(shared.highestSlotInUse(), 127);

    // The editor still opens; its window is not entered and the table is
    // untouched.
    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    const platform::WindowHandle unlisted = windowOf(second);
    for (int slot = 0; slot < SharedEditorResources::kWindowTableSize; ++slot)
        ASSERT_EQ(shared.windowInSlot(slot), listed[slot]);
    EXPECT_FALSE(shared.windowInSlot(128));

    windows.destroyWindow(listed[40]);
    const platform::WindowHandle late =
        windows.createChildWindow("Velmorin", "", &hostWindow, 1, 1);
    EXPECT_TRUE(shared.enterWindow(late));
    EXPECT_EQ(shared.windowInSlot(40), late);

    editorOf(second).close();
    editorOf(first).close();
    // The last close destroyed what the table held; the unlisted window is
    // left to its host window.
    EXPECT_FALSE(windows.isWindow(late));
    EXPECT_FALSE(windows.isWindow(listed[127]));
    EXPECT_TRUE(windows.isWindow(unlisted));
    EXPECT_EQ(shared.highestSlotInUse(), 0);
}

}  // namespace
}  // namespace velmorin
