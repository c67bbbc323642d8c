// Effects whose editors open headless: the generated bitmaps on the software
// canvas, windows a test drives, and preferences in a folder of the test's
// own. Every effect a test makes is destroyed before the services go.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include "editor/ad_editor.h"
#include "editor/shared_editor_resources.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"
#include "resources/embedded_bitmaps.h"
#include "shell/adelay_edit.h"

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

    ADelayEdit& makeEffect(audioMasterCallback host = nullptr) {
        effects.push_back(std::make_unique<ADelayEdit>(
            host, [this](ADelayEdit& effect) { return new ADEditor(effect, platform); }));
        return *effects.back();
    }
    static ADEditor& editorOf(ADelayEdit& effect) {
        return *static_cast<ADEditor*>(effect.getEditor());
    }
    // The editor window of an open editor.
    static platform::WindowHandle windowOf(ADelayEdit& effect) {
        return editorOf(effect).view().window;
    }
    platform::Colour at(ADelayEdit& effect, int x, int y) const {
        return windows.clientPixels(windowOf(effect))->at(x, y);
    }

    std::filesystem::path folder = testFolder();
    int hostWindow = 0, otherHostWindow = 0;
    platform::HeadlessWindows windows;
    CountingGraphics graphics;
    platform::FilePreferenceStore preferences{folder / "preferences"};
    EditorPlatform platform{graphics, windows, preferences};
    std::vector<std::unique_ptr<ADelayEdit>> effects;
};

}  // namespace velmorin
