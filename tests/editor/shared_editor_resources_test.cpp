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
    ADelayEdit& first = makeEffect();
    ADelayEdit& second = makeEffect();

    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    EXPECT_EQ(shared.openEditorCount(), 1);
    EXPECT_TRUE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(windows.commonControlsInits(), 1);
    EXPECT_EQ(graphics.bitmapsLoaded, 15);
    EXPECT_EQ(shared.skin().width(), 654);
    EXPECT_EQ(shared.bitmap(kBitmapCapZoom).height(), 21);
    EXPECT_EQ(shared.font().request().height, 14);
    EXPECT_EQ(shared.bluePen().colour(), platform::rgb(110, 131, 241));
    EXPECT_EQ(shared.whiteBrush().colour(), platform::rgb(255, 255, 255));

    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    EXPECT_EQ(shared.openEditorCount(), 2);
    EXPECT_EQ(windows.commonControlsInits(), 1);
    EXPECT_EQ(graphics.bitmapsLoaded, 15);  // nothing loaded again
    EXPECT_EQ(shared.windowInSlot(0), windowOf(first));
    EXPECT_EQ(shared.windowInSlot(1), windowOf(second));
    EXPECT_EQ(shared.highestSlotInUse(), 1);

    editorOf(first).close();
    EXPECT_EQ(shared.openEditorCount(), 1);
    EXPECT_TRUE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(shared.skin().width(), 654);  // the second editor still draws with it
    EXPECT_EQ(shared.windows(), &windows);

    editorOf(second).close();
    EXPECT_EQ(shared.openEditorCount(), 0);
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(shared.windows(), nullptr);
    EXPECT_EQ(shared.highestSlotInUse(), 0);

    // A later first open creates everything again.
    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    EXPECT_EQ(graphics.bitmapsLoaded, 30);
    EXPECT_EQ(windows.commonControlsInits(), 2);
    editorOf(second).close();
}

TEST_F(SharedEditorResourcesTest, FailedClassRegistrationLeavesNothingBehind) {
    ADelayEdit& effect = makeEffect();
    windows.failures.classRegistration = true;
    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, &hostWindow, 0), 0);
    EXPECT_EQ(shared.openEditorCount(), 0);
    EXPECT_EQ(graphics.bitmapsLoaded, 0);
    EXPECT_FALSE(editorOf(effect).isOpen());
    editorOf(effect).close();  // finds no window and does nothing
    EXPECT_EQ(shared.openEditorCount(), 0);

    windows.failures.classRegistration = false;
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    EXPECT_EQ(shared.openEditorCount(), 1);
    editorOf(effect).close();
}

TEST_F(SharedEditorResourcesTest, FailedWindowCreationIsBalancedFirstOrLater) {
    ADelayEdit& first = makeEffect();
    ADelayEdit& second = makeEffect();

    // As the first editor: everything the open created goes again.
    windows.failures.windowCreation = true;
    EXPECT_FALSE(editorOf(first).open(&hostWindow));
    EXPECT_FALSE(editorOf(first).isOpen());
    EXPECT_EQ(shared.openEditorCount(), 0);
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(shared.windows(), nullptr);

    // Behind an open editor: only the count is given back.
    windows.failures.windowCreation = false;
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    windows.failures.windowCreation = true;
    EXPECT_FALSE(editorOf(second).open(&otherHostWindow));
    EXPECT_EQ(shared.openEditorCount(), 1);
    EXPECT_TRUE(windows.isClassRegistered("Velmorin"));
    EXPECT_EQ(shared.highestSlotInUse(), 0);
    editorOf(second).close();
    EXPECT_EQ(shared.openEditorCount(), 1);

    editorOf(first).close();
    EXPECT_EQ(shared.openEditorCount(), 0);
}

TEST_F(SharedEditorResourcesTest, MissingSkinIsReportedAndTheOpenGoesOn) {
    graphics.missing = {kBitmapSkin, kBitmapCapStandard};
    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    ASSERT_EQ(windows.messageBoxes().size(), 1u);
    EXPECT_EQ(windows.messageBoxes()[0].text, "Not enough memory !");
    EXPECT_EQ(windows.messageBoxes()[0].caption, "Error");
    EXPECT_FALSE(windows.messageBoxes()[0].owner);
    // Missing bitmaps draw nothing: the window stays black where the skin
    // and the ratio caps would be.
    EXPECT_EQ(shared.skin().width(), 0);
    EXPECT_EQ(at(effect, 100, 100), platform::rgb(0, 0, 0));
    EXPECT_EQ(at(effect, 120, 60), platform::rgb(0, 0, 0));
    EXPECT_TRUE(editorOf(effect).view().controls.exist());
    editorOf(effect).close();
}

TEST_F(SharedEditorResourcesTest, EditorOpensWithAFullTableWithoutEnteringItsWindow) {
    ADelayEdit& first = makeEffect();
    ADelayEdit& second = makeEffect();
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    for (int slot = 1; slot < SharedEditorResources::kWindowTableSize; ++slot)
        ASSERT_TRUE(
            shared.enterWindow(windows.createChildWindow("Velmorin", "", &hostWindow, 1, 1)));

    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    const platform::WindowHandle unlisted = windowOf(second);
    for (int slot = 0; slot < SharedEditorResources::kWindowTableSize; ++slot)
        EXPECT_NE(shared.windowInSlot(slot), unlisted);
    EXPECT_EQ(shared.openEditorCount(), 2);

    editorOf(second).close();
    editorOf(first).close();
    // The last close destroyed what the table held; the unlisted window is
    // left to its host window.
    EXPECT_FALSE(windows.isWindow(shared.windowInSlot(127)));
    EXPECT_TRUE(windows.isWindow(unlisted));
}

// The table on its own, with small windows of a test class.
class WindowTableTest : public EditorFixture {
  protected:
    static std::intptr_t quiet(platform::WindowHandle, std::uint32_t, std::uintptr_t,
                               std::intptr_t) {
        return 0;
    }
    void SetUp() override {
        EditorFixture::SetUp();
        ASSERT_TRUE(table.acquire(platform, quiet));
    }
    void TearDown() override {
        table.release();
        EditorFixture::TearDown();
    }
    platform::WindowHandle smallWindow() {
        return windows.createChildWindow(SharedEditorResources::kWindowClass, "", &hostWindow, 1,
                                         1);
    }

    SharedEditorResources table;
};

TEST_F(WindowTableTest, FullTableEntersNoMoreAndReusesTheSlotOfADeadWindow) {
    std::vector<platform::WindowHandle> live;
    for (int i = 0; i < SharedEditorResources::kWindowTableSize; ++i) {
        live.push_back(smallWindow());
        ASSERT_TRUE(table.enterWindow(live.back()));
    }
    EXPECT_EQ(table.highestSlotInUse(), 127);

    const platform::WindowHandle extra = smallWindow();
    EXPECT_FALSE(table.enterWindow(extra));
    for (int slot = 0; slot < SharedEditorResources::kWindowTableSize; ++slot)
        ASSERT_EQ(table.windowInSlot(slot), live[slot]);
    EXPECT_FALSE(table.windowInSlot(128));
    EXPECT_FALSE(table.windowInSlot(-1));

    windows.destroyWindow(live[40]);
    EXPECT_TRUE(table.enterWindow(extra));
    EXPECT_EQ(table.windowInSlot(40), extra);
    EXPECT_EQ(table.highestSlotInUse(), 127);
}

TEST_F(WindowTableTest, LastReleaseDestroysTheLiveWindowsOfTheTableOnly) {
    const platform::WindowHandle a = smallWindow(), b = smallWindow(), outside = smallWindow();
    table.enterWindow(a);
    table.enterWindow(b);
    windows.destroyWindow(a);
    const platform::WindowHandle c = smallWindow();
    table.enterWindow(c);  // takes a's slot
    EXPECT_EQ(table.windowInSlot(0), c);
    EXPECT_EQ(table.highestSlotInUse(), 1);

    ASSERT_TRUE(table.acquire(platform, quiet));  // a second user keeps them
    table.release();
    EXPECT_TRUE(windows.isWindow(b));
    table.release();
    EXPECT_FALSE(windows.isWindow(b));
    EXPECT_FALSE(windows.isWindow(c));
    EXPECT_TRUE(windows.isWindow(outside));
    EXPECT_EQ(table.highestSlotInUse(), 0);
    ASSERT_TRUE(table.acquire(platform, quiet));  // for TearDown's release
}

}  // namespace
}  // namespace velmorin
