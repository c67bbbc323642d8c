#include <gtest/gtest.h>

#include "support/loaded_plugin.h"

TEST(Record, CarriesTheEffectsIdentity) {
    Plugin plugin;
    const AEffect* e = plugin.effect();
    EXPECT_EQ(e->magic, fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->numPrograms, 18);
    EXPECT_EQ(e->numParams, 31);
    EXPECT_EQ(e->flags, 0x11);  // an editor, and processReplacing
    EXPECT_EQ(e->initialDelay, 880);
    EXPECT_EQ(e->uniqueID, fourCharCode('Q', 'd', 'V', 'l'));
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
    EXPECT_EQ(plugin.programName(), "Init");
}
