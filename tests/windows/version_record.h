// The version record a Windows module carries, read as the shell's file
// properties read it.
#pragma once

#include <windows.h>

#include <string>

// The named text of the module's US-English record ("ProductName", ...), or
// empty when the module, its record or the text is missing.
std::string versionText(HMODULE module, const char* name);
