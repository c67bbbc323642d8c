// setParameterAutomated: the editor's changes in stored units, stored first and
// then reported to the host as normalized values.
#include <gtest/gtest.h>

#include <vector>

#include "formats/vst2/adelay_edit.h"
#include "support/loaded_plugin.h"

namespace {

struct Report : HostCall {
    float storedWhenReported;  // what the effect answered to getParameter then
};

std::vector<Report>& reports() {
    static std::vector<Report> recorded;
    return recorded;
}

intptr_t reportingHost(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                       float opt) {
    const float stored = effect ? effect->getParameter(effect, index) : 0.0f;
    reports().push_back({{effect, opcode, index, value, ptr, opt}, stored});
    return 0;
}

struct Automation {
    int32_t index;
    float stored;
    float reported;
};

const Automation kAutomations[] = {
    {3, 36.0f, 0.5f},       {4, 72.0f, 0.99999f},     {5, 100.0f, 100.0f / 72.0f},
    {9, 20.0f, 0.99999f},   {12, 5.0f, 0.25f},        {13, 120.0f, 0.5f},
    {15, 240.0f, 0.99999f}, {16, 0.0f, 0.0f},         {16, 48.0f, 0.99999f},
    {16, 12.0f, 0.25f},     {17, 24000.0f, 0.99999f}, {17, 6000.0f, 0.25f},
    {7, 1.0f, 1.0f},        {8, 0.5f, 0.5f},          {20, 1.0f, 1.0f},
    {0, 0.3f, 0.3f},        {19, 1.0f, 1.0f},         {18, 2.5f, 2.5f},
    {29, 0.7f, 0.7f},       {40, 3.0f, 3.0f},         {-1, 0.25f, 0.25f},
};

}  // namespace

TEST(Automation, ReportsTheNormalizedValueAfterStoring) {
    ADelayEdit effect(reportingHost);
    AEffect* record = effect.getAeffect();
    for (const Automation& a : kAutomations) {
        SCOPED_TRACE(testing::Message() << a.index << " <- " << a.stored);
        reports().clear();
        effect.setParameterAutomated(a.index, a.stored);
        ASSERT_EQ(reports().size(), 1u);
        const Report& r = reports().front();
        EXPECT_EQ(r.effect, record);
        EXPECT_EQ(r.opcode, audioMasterAutomate);
        EXPECT_EQ(r.index, a.index);
        EXPECT_EQ(r.value, 0);
        EXPECT_EQ(r.ptr, nullptr);
        EXPECT_EQ(r.opt, a.reported);
        // The value was stored before the host heard of it.
        if (a.index >= 0 && a.index < 29) {
            EXPECT_EQ(r.storedWhenReported, a.reported);
        }
    }
}

TEST(Automation, WithoutHostOnlyStores) {
    ADelayEdit effect(nullptr);
    effect.setParameterAutomated(3, 36.0f);
    EXPECT_EQ(effect.getParameter(3), 0.5f);
}
