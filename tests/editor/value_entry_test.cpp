// Typed values through the window procedure: a click on a read-out opens its
// box with the value's text, Enter commits the number with the C library's
// reading, the fader's clamp and the band gate; text that is no finite
// number changes nothing.
#include "editor/value_entry.h"

#include <cmath>

#include "editor/context_menu.h"
#include "input_fixture.h"

namespace velmorin {
namespace {

class ValueEntryTest : public InputFixture {
  protected:
    static void bandsOn(EditedEffect& effect) {
        for (ParameterIndex on : {kHighOn, kMidOn, kLowOn}) effect.setParameter(on, 1.0f);
    }
    // A point inside the read-out of the parameter's fader.
    static platform::Point readoutOf(ParameterIndex parameter) {
        for (const ValueBoxPlace& place : kValueBoxPlaces)
            if (place.parameter == parameter) return {place.x + 20, place.y + 7};
        return {};
    }
    platform::WindowHandle boxOf(EditedEffect& effect, ParameterIndex parameter) {
        return view(effect).controls.valueBox(parameter);
    }
    void clickReadout(EditedEffect& effect, ParameterIndex parameter) {
        const platform::Point p = readoutOf(parameter);
        click(effect, p.x, p.y);
    }
    // Typing, then Enter: the box sees its text grow a second line.
    void typeAndEnter(EditedEffect& effect, ParameterIndex parameter, const std::string& text) {
        windows.type(boxOf(effect, parameter), text);
        windows.type(boxOf(effect, parameter), text + "\r\n");
    }
};

TEST_F(ValueEntryTest, OpeningShowsTheValueSelectedWithFocus) {
    struct Case {
        ParameterIndex parameter;
        float value;
        const char* text;
    };
    const Case cases[] = {
        {kOutput, 21000, "3.00"}, {kThrLimiter, 7, "-3.5"}, {kThrH, 36, "-18.0"},
        {kRatioM, 6, "4.0 : 1"},  {kMixL, 150, "-3.0"},     {kMixH, 120, "0.0"},
    };
    EditedEffect& effect = openEditor([&](EditedEffect& e) {
        bandsOn(e);
        for (const Case& c : cases)
            // The ratio as its k/38 steps, the others in stored units.
            e.setParameter(c.parameter, c.parameter == kRatioM ? c.value / 38.0f : c.value);
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        clickReadout(effect, c.parameter);
        const platform::WindowHandle box = boxOf(effect, c.parameter);
        EXPECT_TRUE(windows.isVisible(box));
        EXPECT_EQ(windows.text(box), c.text);
        EXPECT_EQ(windows.editBox(box)->selectionStart, 0);
        EXPECT_EQ(windows.editBox(box)->selectionEnd, static_cast<int>(std::string(c.text).size()));
        EXPECT_EQ(windows.focus(), box);
        EXPECT_EQ(view(effect).activeEdit, view(effect).controls.fader(c.parameter));
        EXPECT_FALSE(view(effect).activeEdit->boxVisible());
    }
    // Each click committed the box before it: its own text reads back as the
    // value it showed.
    ASSERT_EQ(reports.size(), std::size(cases) - 1);
    for (std::size_t i = 0; i + 1 < std::size(cases); ++i) {
        EXPECT_EQ(reports[i].index, cases[i].parameter);
        const float expected = cases[i].parameter == kRatioM ? 6.0f / 38.0f : cases[i].value;
        EXPECT_FLOAT_EQ(stored(effect, cases[i].parameter), expected);
    }
}

TEST_F(ValueEntryTest, EnterCommitsTheNumberClampedThroughTheHost) {
    struct Case {
        ParameterIndex parameter;
        const char* typed;
        float stored;
    };
    const Case cases[] = {
        {kOutput, "3", 21000},
        {kOutput, "30", 0},  // beyond +24 dB: clamped by the fader
        {kOutput, "-6", 24000},
        {kOutput, "  -1.5dB", 24000},  // leading blanks skipped, the unit ends the number
        {kThrLimiter, "-3.5", 7},
        {kThrH, "6", 12},
        {kThrH, "-6", 12},
        {kThrH, "-40", 72},
        {kThrH, "-20.75", 41},              // 41.5 truncated to the half-decibel step
        {kThrM, "abc", 12},                 // no number reads as 0: the top of the travel
        {kThrL, "000000000000000009", 12},  // only 15 characters are read
        {kRatioH, "4", 6.0f / 38.0f},
        {kRatioH, "4.0 : 1", 6.0f / 38.0f},  // the box's own text reads back
        {kRatioL, "100", 1.0f},
        {kMixH, "-3", 150},
        {kMixM, "-0", 120},  // negative zero is plain zero
        {kMixL, "20", 0},
        {kOutput, "0x10", 8000},  // the C library reads hexadecimal
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parameter << " <- \"" << c.typed << "\"");
        EditedEffect& effect = openEditor(bandsOn);
        clickReadout(effect, c.parameter);
        typeAndEnter(effect, c.parameter, c.typed);
        EXPECT_FLOAT_EQ(stored(effect, c.parameter), c.stored);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].index, c.parameter);
        EXPECT_FALSE(windows.isVisible(boxOf(effect, c.parameter)));
        EXPECT_TRUE(view(effect).controls.fader(c.parameter)->boxVisible());
        EXPECT_EQ(view(effect).activeEdit, nullptr);
        editorOf(effect).close();
        effects.clear();
    }
}

TEST_F(ValueEntryTest, NonFiniteTextChangesNothingAndShowsTheValueAgain) {
    for (const char* typed : {"nan", "inf", "-INF", "1e999", "1e39", "NAN(0x1)"}) {
        SCOPED_TRACE(typed);
        EditedEffect& effect = openEditor([](EditedEffect& e) {
            bandsOn(e);
            e.setParameter(kMixH, 150.0f);
        });
        clickReadout(effect, kMixH);
        typeAndEnter(effect, kMixH, typed);
        EXPECT_EQ(stored(effect, kMixH), 150.0f);
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(view(effect).controls.fader(kMixH)->value(), 150.0f);
        EXPECT_TRUE(view(effect).controls.fader(kMixH)->boxVisible());
        EXPECT_EQ(view(effect).activeEdit, nullptr);
        editorOf(effect).close();
        effects.clear();
    }
}

TEST_F(ValueEntryTest, OnlyTheSecondLineCommitsAndOnlyAnOpenBandOpens) {
    EditedEffect& effect = openEditor([](EditedEffect& e) {
        e.setParameter(kHighOn, 1.0f);
        e.setParameter(kMidOn, 0.0f);
        e.setParameter(kLowOn, 0.5f);  // on for the engine, not exactly 1
    });
    clickReadout(effect, kMixM);
    clickReadout(effect, kThrL);
    EXPECT_EQ(view(effect).activeEdit, nullptr);

    clickReadout(effect, kThrH);
    windows.type(boxOf(effect, kThrH), "10");
    windows.type(boxOf(effect, kThrH), "1\r\n0\r\n");  // a pasted third line
    EXPECT_TRUE(reports.empty());
    EXPECT_NE(view(effect).activeEdit, nullptr);
}

TEST_F(ValueEntryTest, APressElsewhereCommitsThenOpensTheNextBoxInTheSameClick) {
    EditedEffect& effect = openEditor(bandsOn);
    clickReadout(effect, kOutput);
    windows.type(boxOf(effect, kOutput), "3");
    clickReadout(effect, kThrH);
    EXPECT_EQ(stored(effect, kOutput), 21000.0f);
    EXPECT_EQ(reports, (std::vector<Reported>{{kOutput, 21000.0f / 24000.0f}}));
    EXPECT_FALSE(windows.isVisible(boxOf(effect, kOutput)));
    EXPECT_TRUE(windows.isVisible(boxOf(effect, kThrH)));
    EXPECT_EQ(view(effect).activeEdit, view(effect).controls.fader(kThrH));
}

TEST_F(ValueEntryTest, MessagesForAClosedEditorTouchNothing) {
    EditedEffect& effect = openEditor();
    const platform::WindowHandle window = windowOf(effect);
    const platform::WindowHandle box = boxOf(effect, kOutput);
    clickReadout(effect, kOutput);
    windows.type(box, "3");
    editorOf(effect).close();  // the window stays until its host window goes

    windows.send(window, platform::kMsgCommand, std::uintptr_t{platform::kEditChanged} << 16, 0);
    windows.send(window, platform::kMsgLeftButtonDown, 1, at(560, 230));
    windows.send(window, platform::kMsgMouseMove, 1, at(560, 300));
    windows.send(window, platform::kMsgContextMenu, 0, at(10, 10));
    windows.send(window, platform::kMsgCommand, kCmdInfo, 0);
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(windows.openPopup());

    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    EXPECT_EQ(view(effect).activeEdit, nullptr);
    EXPECT_EQ(view(effect).dragControl, nullptr);
    editorOf(effect).close();
}

TEST_F(ValueEntryTest, AHostClosingTheEditorOnTheChangeEndsTheClick) {
    EditedEffect& effect = makeEffect();
    bandsOn(effect);
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const platform::WindowHandle window = windowOf(effect);
    clickReadout(effect, kOutput);
    windows.type(boxOf(effect, kOutput), "3");
    // A host that closes the editor as soon as it hears of a change.
    effect.controls.onValue = [&effect](int32_t, float) { effect.editor.close(); };
    const platform::Point next = readoutOf(kThrH);
    windows.send(window, platform::kMsgLeftButtonDown, 1, at(next.x, next.y));
    windows.send(window, platform::kMsgLeftButtonUp, 0, at(next.x, next.y));
    EXPECT_FALSE(editorOf(effect).isOpen());
    EXPECT_EQ(stored(effect, kOutput), 21000.0f);
    EXPECT_EQ(view(effect).activeEdit, nullptr);
}

}  // namespace
}  // namespace velmorin
