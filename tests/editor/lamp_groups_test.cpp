// Every grouped lamp (On, Bypass and Atk of each band) clicked with Ctrl,
// Shift and both, from off and from on: the lamp's own report first, then its
// two partners in their serving order, Ctrl's reports before Shift's.
#include <string>
#include <vector>

#include "editor/mouse_input.h"
#include "input_fixture.h"

namespace velmorin {
namespace {

using LampGroupsTest = InputFixture;

struct GroupedLamp {
    const char* name;
    ParameterIndex lamp;
    platform::Point at;  // inside the lamp
    ParameterIndex first, second;
};

// Partners in ascending parameter order, except Low Atk's, served downward.
constexpr GroupedLamp kGroupedLamps[] = {
    {"High On", kHighOn, {20, 36}, kMidOn, kLowOn},
    {"Mid On", kMidOn, {30, 175}, kHighOn, kLowOn},
    {"Low On", kLowOn, {40, 320}, kHighOn, kMidOn},
    {"High Bypass", kHighBypass, {16, 49}, kMidBypass, kLowBypass},
    {"Mid Bypass", kMidBypass, {43, 200}, kHighBypass, kLowBypass},
    {"Low Bypass", kLowBypass, {25, 330}, kHighBypass, kMidBypass},
    {"High Atk", kHighAtk, {44, 78}, kMidAtk, kLowAtk},
    {"Mid Atk", kMidAtk, {35, 210}, kHighAtk, kLowAtk},
    {"Low Atk", kLowAtk, {20, 350}, kMidAtk, kHighAtk},
};

struct KeyRule {
    const char* name;
    std::uintptr_t keys;
    bool copies;   // Ctrl: the partners take the lamp's new value
    bool inverts;  // Shift: then they take its opposite
};

constexpr KeyRule kKeyRules[] = {
    {"Ctrl", kKeyControl, true, false},
    {"Shift", kKeyShift, false, true},
    {"Ctrl+Shift", kKeyControl | kKeyShift, true, true},
};

TEST_F(LampGroupsTest, EveryGroupedLampReachesItsPartnersInOrderWithCtrlShiftAndBoth) {
    for (const GroupedLamp& g : kGroupedLamps) {
        for (const KeyRule& rule : kKeyRules) {
            for (const float before : {0.0f, 1.0f}) {
                SCOPED_TRACE(std::string(g.name) + " " + rule.name +
                             (before ? " from on" : " from off"));
                // The partners start apart, so that either rule moves one of them.
                EditedEffect& effect = openEditor([&](EditedEffect& e) {
                    e.setParameter(g.lamp, before);
                    e.setParameter(g.first, before);
                    e.setParameter(g.second, 1.0f - before);
                });
                click(effect, g.at.x, g.at.y, rule.keys);

                const float now = 1.0f - before;
                std::vector<Reported> expected = {{g.lamp, now}};
                if (rule.copies) expected.insert(expected.end(), {{g.first, now}, {g.second, now}});
                if (rule.inverts)
                    expected.insert(expected.end(), {{g.first, before}, {g.second, before}});
                EXPECT_EQ(reports, expected);
                const float partners = rule.inverts ? before : now;
                EXPECT_EQ(stored(effect, g.lamp), now);
                EXPECT_EQ(stored(effect, g.first), partners);
                EXPECT_EQ(stored(effect, g.second), partners);

                editorOf(effect).close();
                effects.clear();
            }
        }
    }
}

}  // namespace
}  // namespace velmorin
