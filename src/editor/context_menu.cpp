#include "editor/context_menu.h"

namespace velmorin {
namespace {

using Item = platform::MenuItemDescription;

Item command(const char* text, std::uint16_t id) {
    return {Item::Kind::Command, text, id, {}};
}
Item popup(const char* text, std::vector<Item> children) {
    return {Item::Kind::Popup, text, 0, std::move(children)};
}

platform::MenuDescription buildContextMenu() {
    return {popup(
        "Nobody",
        {
            popup("DC Removal", {command("On", kCmdDcOn), command("Off", kCmdDcOff)}),
            popup(
                "Auto Normalize to",
                {command("0 dBFS", kCmdNormalize0), command("-0.01 dBFS", kCmdNormalize001),
                 command("-0.05 dBFS", kCmdNormalize005), command("-0.09 dBFS", kCmdNormalize009)}),
            popup("WaveDisplay colors",
                  {command("Natural", kCmdColoursNatural), command("Icy", kCmdColoursIcy),
                   command("Custom", kCmdColoursCustom)}),
            popup("WaveDisplay zoom",
                  {command("0.5x - 5x", kCmdZoom5x), command("0.5x - 10x", kCmdZoom10x),
                   command("1x - 16x", kCmdZoom16x)}),
            popup("Peak hold time",
                  {command("2s", kCmdPeakHold2s), command("4s", kCmdPeakHold4s),
                   command("6s", kCmdPeakHold6s), command("8s", kCmdPeakHold8s),
                   command("10s", kCmdPeakHold10s), command("20s", kCmdPeakHold20s),
                   command("30s", kCmdPeakHold30s), command("Forever", kCmdPeakHoldForever)}),
            popup("Display speed",
                  {command("Slow", kCmdSpeedSlow), command("Normal", kCmdSpeedNormal),
                   command("Fast", kCmdSpeedFast)}),
            {Item::Kind::Separator, "", 0, {}},
            command("Info", kCmdInfo),
            popup("Size", {command("Automatic", kCmdSizeAutomatic), command("100 %", kCmdSize100),
                           command("125 %", kCmdSize125), command("150 %", kCmdSize150),
                           command("175 %", kCmdSize175), command("200 %", kCmdSize200),
                           command("250 %", kCmdSize250), command("300 %", kCmdSize300)}),
        })};
}

}  // namespace

const platform::MenuDescription& contextMenuDescription() {
    static const platform::MenuDescription menu = buildContextMenu();
    return menu;
}

}  // namespace velmorin
