// make_menu_script FILE: writes the context menu's resource script statement
// for the Windows build's resource script to include.
#include <cstdio>
#include <fstream>

#include "editor/context_menu.h"
#include "menu/menu_script.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_menu_script FILE\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::trunc);
    out << "// Made by make_menu_script from src/editor/context_menu.cpp.\n"
        << velmorin::resources::menuScript(velmorin::kContextMenuResource,
                                           velmorin::contextMenuDescription());
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_menu_script: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
