#include "menu/menu_script.h"

namespace velmorin::resources {
namespace {

using Item = platform::MenuItemDescription;

// A resource script string: a quote inside it is written twice.
std::string quoted(const std::string& text) {
    std::string script = "\"";
    for (const char c : text) script += c == '"' ? std::string("\"\"") : std::string(1, c);
    return script + "\"";
}

// BEGIN, the items one level in, END.
void appendBlock(std::string& script, const std::vector<Item>& items, int depth) {
    const std::string outer(4 * depth, ' ');
    const std::string indent = outer + "    ";
    script += outer + "BEGIN\n";
    for (const Item& item : items) {
        switch (item.kind) {
            case Item::Kind::Command:
                script += indent + "MENUITEM " + quoted(item.text) + ", " +
                          std::to_string(item.id) + "\n";
                break;
            case Item::Kind::Separator:
                script += indent + "MENUITEM SEPARATOR\n";
                break;
            case Item::Kind::Popup:
                script += indent + "POPUP " + quoted(item.text) + "\n";
                appendBlock(script, item.children, depth + 1);
                break;
        }
    }
    script += outer + "END\n";
}

}  // namespace

std::string menuScript(int resourceId, const platform::MenuDescription& menu) {
    std::string script = std::to_string(resourceId) + " MENU\n";
    appendBlock(script, menu, 0);
    return script;
}

}  // namespace velmorin::resources
