// The menu statement made for the Windows resource script: menu 111 as the
// module has always carried it, and texts that need quoting.
#include <gtest/gtest.h>

#include "editor/context_menu.h"
#include "menu/menu_script.h"

namespace velmorin::resources {
namespace {

using Item = platform::MenuItemDescription;

TEST(MenuScript, ContextMenuIsMenu111AsTheModuleCarriesIt) {
    EXPECT_EQ(menuScript(kContextMenuResource, contextMenuDescription()),
              "111 MENU\n"
              "BEGIN\n"
              "    POPUP \"Nobody\"\n"
              "    BEGIN\n"
              "        POPUP \"DC Removal\"\n"
              "        BEGIN\n"
              "            MENUITEM \"On\", 40031\n"
              "            MENUITEM \"Off\", 40032\n"
              "        END\n"
              "        POPUP \"Auto Normalize to\"\n"
              "        BEGIN\n"
              "            MENUITEM \"0 dBFS\", 40004\n"
              "            MENUITEM \"-0.01 dBFS\", 40024\n"
              "            MENUITEM \"-0.05 dBFS\", 40030\n"
              "            MENUITEM \"-0.09 dBFS\", 40005\n"
              "        END\n"
              "        POPUP \"WaveDisplay colors\"\n"
              "        BEGIN\n"
              "            MENUITEM \"Natural\", 40013\n"
              "            MENUITEM \"Icy\", 40014\n"
              "            MENUITEM \"Custom\", 40025\n"
              "        END\n"
              "        POPUP \"WaveDisplay zoom\"\n"
              "        BEGIN\n"
              "            MENUITEM \"0.5x - 5x\", 40017\n"
              "            MENUITEM \"0.5x - 10x\", 40020\n"
              "            MENUITEM \"1x - 16x\", 40019\n"
              "        END\n"
              "        POPUP \"Peak hold time\"\n"
              "        BEGIN\n"
              "            MENUITEM \"2s\", 40006\n"
              "            MENUITEM \"4s\", 40007\n"
              "            MENUITEM \"6s\", 40008\n"
              "            MENUITEM \"8s\", 40009\n"
              "            MENUITEM \"10s\", 40010\n"
              "            MENUITEM \"20s\", 40011\n"
              "            MENUITEM \"30s\", 40012\n"
              "            MENUITEM \"Forever\", 40034\n"
              "        END\n"
              "        POPUP \"Display speed\"\n"
              "        BEGIN\n"
              "            MENUITEM \"Slow\", 40027\n"
              "            MENUITEM \"Normal\", 40028\n"
              "            MENUITEM \"Fast\", 40029\n"
              "        END\n"
              "        MENUITEM SEPARATOR\n"
              "        MENUITEM \"Info\", 40022\n"
              "        POPUP \"Size\"\n"
              "        BEGIN\n"
              "            MENUITEM \"Automatic\", 40035\n"
              "            MENUITEM \"100 %\", 40036\n"
              "            MENUITEM \"125 %\", 40037\n"
              "            MENUITEM \"150 %\", 40038\n"
              "            MENUITEM \"175 %\", 40039\n"
              "            MENUITEM \"200 %\", 40040\n"
              "            MENUITEM \"250 %\", 40041\n"
              "            MENUITEM \"300 %\", 40042\n"
              "        END\n"
              "    END\n"
              "END\n");
}

TEST(MenuScript, QuotesInTextsAreDoubled) {
    const platform::MenuDescription menu{
        {Item::Kind::Popup, "Say \"hi\"", 0, {{Item::Kind::Command, "\"", 7, {}}}}};
    EXPECT_EQ(menuScript(5, menu),
              "5 MENU\n"
              "BEGIN\n"
              "    POPUP \"Say \"\"hi\"\"\"\n"
              "    BEGIN\n"
              "        MENUITEM \"\"\"\", 7\n"
              "    END\n"
              "END\n");
}

}  // namespace
}  // namespace velmorin::resources
