// Effects whose editors open headless: the generated bitmaps on the software
// canvas, windows a test drives, and preferences in a folder of the test's
// own. Every effect a test makes is destroyed before the services go.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include "edited_effect.h"
#include "editor/shared_editor_resources.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"
#include "resources/embedded_bitmaps.h"

namespace velmorin {

// The software graphics, counting the bitmaps loaded and able to lack some.
class CountingGraphics : public platform::SoftGraphics {
  public:
    CountingGraphics() : SoftGraphics(findEmbeddedBitmap) {}
    std::unique_ptr<platform::Canvas> loadBitmap(int id) override {
        ++bitmapsLoaded;
        return missing.count(id) ? nullptr : SoftGraphics::loadBitmap(id);
    }
    int bitmapsLoaded = 0;
    std::set<int> missing;
};

class EditorFixture : public ::testing::Test {
  protected:
    static std::filesystem::path testFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        return std::filesystem::temp_directory_path() /
               (std::string("velmorin-editor-") + test->test_suite_name() + "-" + test->name());
    }
    void SetUp() override {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        effects.clear();
        EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
        std::filesystem::remove_all(folder);
    }

    EditedEffect& makeEffect() {
        effects.push_back(std::make_unique<EditedEffect>(platform));
        return *effects.back();
    }
    static ADEditor& editorOf(EditedEffect& effect) { return effect.editor; }
    // The editor window of an open editor.
    static platform::WindowHandle windowOf(EditedEffect& effect) {
        return editorOf(effect).view().window;
    }
    platform::Colour at(EditedEffect& effect, int x, int y) const {
        return windows.clientPixels(windowOf(effect))->at(x, y);
    }

    std::filesystem::path folder = testFolder();
    int hostWindow = 0, otherHostWindow = 0;
    platform::HeadlessWindows windows;
    CountingGraphics graphics;
    platform::FilePreferenceStore preferences{folder / "preferences"};
    EditorPlatform platform{graphics, windows, preferences};
    std::vector<std::unique_ptr<EditedEffect>> effects;
};

}  // namespace velmorin
