// Writes the bundle's Contents/Resources/moduleinfo.json at build time, from
// the same identity the factory answers with, so that hosts which scan the
// description rather than load the module see the same classes.
// Usage: make_vst3_moduleinfo OUTPUT
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "formats/vst3/vst3_identity.h"

using namespace velmorin::vst3;

namespace {

std::string subCategoryList(const std::string& categories) {
    std::string list;
    std::istringstream parts(categories);
    for (std::string part; std::getline(parts, part, '|');)
        list += (list.empty() ? "\"" : ", \"") + part + "\"";
    return "[" + list + "]";
}

std::string classEntry(const ClassWords& id, const char* category, const char* name,
                       const char* subCategories) {
    std::ostringstream out;
    out << "    {\n"
        << "      \"CID\": \"" << classIdText(id) << "\",\n"
        << "      \"Category\": \"" << category << "\",\n"
        << "      \"Name\": \"" << name << "\",\n"
        << "      \"Vendor\": \"" << kVendor << "\",\n"
        << "      \"Version\": \"" << kVersion << "\",\n"
        << "      \"SDKVersion\": \"" << kSdkVersion << "\",\n"
        << "      \"Sub Categories\": " << subCategoryList(subCategories) << ",\n"
        << "      \"Class Flags\": " << kClassFlags << ",\n"
        << "      \"Cardinality\": 2147483647,\n"
        << "      \"Snapshots\": []\n"
        << "    }";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::ofstream out(argv[1]);
    out << "{\n"
        << "  \"Name\": \"" << kEffectName << "\",\n"
        << "  \"Version\": \"" << kVersion << "\",\n"
        << "  \"Factory Info\": {\n"
        << "    \"Vendor\": \"" << kVendor << "\",\n"
        << "    \"URL\": \"" << kUrl << "\",\n"
        << "    \"E-Mail\": \"" << kEmail << "\",\n"
        << "    \"Flags\": {\n"
        << "      \"Unicode\": true,\n"
        << "      \"Classes Discardable\": false,\n"
        << "      \"Component Non Discardable\": false\n"
        << "    }\n"
        << "  },\n"
        << "  \"Compatibility\": [],\n"
        << "  \"Classes\": [\n"
        << classEntry(kProcessorWords, kEffectCategory, kEffectName, kSubCategories) << ",\n"
        << classEntry(kControllerWords, kControllerCategory, kControllerName, "") << "\n"
        << "  ]\n"
        << "}\n";
    return out ? 0 : 1;
}
