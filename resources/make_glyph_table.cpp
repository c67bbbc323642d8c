// Build tool: rasterises the printable ASCII characters of TrueType faces at
// the sizes the editor asks for and writes them as a C++ table, so the
// plug-in draws text without a font library.
//
//   make_glyph_table OUT.cpp FACE:FILE:HEIGHT:WIDTH:WEIGHT...
//
// HEIGHT is the cell height (ascent plus descent) in pixels and WIDTH the
// average character width, as a Windows font request gives them; WIDTH 0
// keeps the face's own proportions. Each face is written at every scale of
// the editor too, its height and width scaled as the editor's scaled
// graphics ask for them, the coverage of those larger sets packed in one
// prefix code.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/scale.h"
#include "resources/prefix_code.h"

namespace {

struct SetRequest {
    std::string face;
    std::string file;
    int height = 0;
    int width = 0;
    int weight = 400;
};

bool parseRequest(const std::string& text, SetRequest& out) {
    std::istringstream in(text);
    std::string height, width, weight;
    if (!std::getline(in, out.face, ':') || !std::getline(in, out.file, ':') ||
        !std::getline(in, height, ':') || !std::getline(in, width, ':') ||
        !std::getline(in, weight))
        return false;
    try {
        out.height = std::stoi(height);
        out.width = std::stoi(width);
        out.weight = std::stoi(weight);
    } catch (const std::exception&) {
        return false;
    }
    return out.height > 0 && out.width >= 0;
}

// The average width of lower-case text in font units, weighted by letter
// frequency the way the average character width of a font's metrics table
// has long been defined; advance widths are the metric-compatible part of
// a face, so this matches the face it stands in for.
double averageWidth(FT_Face face) {
    static const int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                     56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    double sum = 0;
    for (int i = 0; i < 27; ++i) {
        const FT_ULong c = i < 26 ? 'a' + i : ' ';
        if (FT_Load_Char(face, c, FT_LOAD_NO_SCALE) != 0) return 0;
        sum += kWeights[i] * static_cast<double>(face->glyph->metrics.horiAdvance);
    }
    return sum / 1000.0;
}

struct RasterSet {
    SetRequest request;
    bool packed = false;  // a larger scale's
    int ascent = 0;
    std::string glyphs;  // the table's rows
    std::vector<std::uint8_t> coverage;
};

bool rasterise(FT_Library library, const SetRequest& request, RasterSet& set) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, request.file.c_str(), 0, &face) != 0) {
        std::cerr << "make_glyph_table: cannot open " << request.file << "\n";
        return false;
    }
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (!os2) {
        std::cerr << "make_glyph_table: " << request.file << " has no metrics table\n";
        FT_Done_Face(face);
        return false;
    }
    const double upem = face->units_per_EM;
    const double cell = os2->usWinAscent + os2->usWinDescent;
    const double yPpem = request.height * upem / cell;
    const double xPpem = request.width > 0 ? request.width * upem / averageWidth(face) : yPpem;
    FT_Set_Char_Size(face, std::lround(xPpem * 64), std::lround(yPpem * 64), 72, 72);
    const int ascent = static_cast<int>(std::lround(os2->usWinAscent * yPpem / upem));

    std::ostringstream glyphs;
    std::vector<std::uint8_t> coverage;
    for (int c = 32; c <= 126; ++c) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
            std::cerr << "make_glyph_table: no glyph for " << c << "\n";
            FT_Done_Face(face);
            return false;
        }
        const FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        glyphs << "    {" << ((g->advance.x + 32) >> 6) << ", " << g->bitmap_left << ", "
               << g->bitmap_top << ", " << bm.width << ", " << bm.rows << ", " << coverage.size()
               << "},  // '" << (c == '\\' ? std::string("backslash") : std::string(1, char(c)))
               << "'\n";
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col)
                coverage.push_back(bm.buffer[row * bm.pitch + col]);
    }
    FT_Done_Face(face);
    set.request = request;
    set.ascent = ascent;
    set.glyphs = glyphs.str();
    set.coverage = std::move(coverage);
    return true;
}

// A set of 1.0 with its coverage as it is; one of a larger scale with its
// coverage packed, listed in `packedTable`.
void writeSet(const RasterSet& set, int index, const velmorin::prefix_code::Lengths* lengths,
              std::ostream& out, std::ostream& packedTable) {
    out << "constexpr Glyph kGlyphs" << index << "[] = {\n" << set.glyphs << "};\n";
    std::string coverage = "kCoverage" + std::to_string(index);
    if (lengths) {
        const auto packed = velmorin::prefix_code::pack(set.coverage, *lengths);
        out << "constexpr char kPacked" << index << "[] =";
        char octal[8];
        for (std::size_t i = 0; i < packed.size(); ++i) {
            std::snprintf(octal, sizeof octal, "\\%03o", packed[i]);
            out << (i % 32 == 0 ? "\n    \"" : "") << octal << (i % 32 == 31 ? "\"" : "");
        }
        out << (packed.size() % 32 != 0 ? "\"" : "") << ";\n";
        packedTable << "    {&kSet" << index << ", reinterpret_cast<const std::uint8_t*>(kPacked"
                    << index << "), " << packed.size() << ", " << set.coverage.size()
                    << ", &kLengths},\n";
        coverage = "{}";
    } else {
        out << "constexpr std::uint8_t kCoverage" << index << "[] = {";
        for (std::size_t i = 0; i < set.coverage.size(); ++i)
            out << (i % 24 == 0 ? "\n    " : " ") << int(set.coverage[i]) << ",";
        out << "\n};\n";
    }
    const SetRequest& r = set.request;
    out << "constexpr GlyphSet kSet" << index << "{\"" << r.face << "\", " << r.height << ", "
        << r.width << ", " << r.weight << ", " << set.ascent << ", kGlyphs" << index << ", "
        << coverage << "};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_glyph_table OUT.cpp FACE:FILE:HEIGHT:WIDTH:WEIGHT...\n";
        return 2;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return 1;

    std::vector<RasterSet> sets;
    std::vector<std::vector<std::uint8_t>> packedCoverage;
    for (int i = 2; i < argc; ++i) {
        SetRequest request;
        if (!parseRequest(argv[i], request)) {
            std::cerr << "make_glyph_table: bad set request " << argv[i] << "\n";
            return 2;
        }
        for (platform::Scale scale : platform::kEditorScales) {
            SetRequest scaled = request;
            scaled.height = scale.device(request.height);
            scaled.width = scale.device(request.width);
            sets.emplace_back();
            if (!rasterise(library, scaled, sets.back())) return 1;
            sets.back().packed = !scale.isIdentity();
            if (sets.back().packed) packedCoverage.push_back(sets.back().coverage);
        }
    }
    FT_Done_FreeType(library);

    // The sets of 1.0 as they have always been; the larger ones, most of the
    // table, packed in one prefix code.
    const velmorin::prefix_code::Lengths lengths =
        velmorin::prefix_code::lengthsFor(packedCoverage);
    std::ostringstream body, packedTable;
    body << "// Generated by make_glyph_table; do not edit.\n"
         << "#include \"platform/soft/glyph_set.h\"\n\nnamespace platform {\nnamespace {\n\n"
         << "constexpr std::array<std::uint8_t, 256> kLengths{";
    for (int length : lengths) body << length << ",";
    body << "};\n\n";
    for (std::size_t i = 0; i < sets.size(); ++i)
        writeSet(sets[i], static_cast<int>(i), sets[i].packed ? &lengths : nullptr, body,
                 packedTable);
    body << "constexpr const GlyphSet* kSets[] = {";
    for (std::size_t i = 0; i < sets.size(); ++i) body << "&kSet" << i << ", ";
    body << "};\n\nconst PackedCoverage kPackedCoverage[] = {\n"
         << packedTable.str() << "};\n\n}  // namespace\n\n"
         << "std::span<const GlyphSet* const> compiledGlyphSets() { return kSets; }\n"
         << "std::span<const PackedCoverage> packedCoverage() { return kPackedCoverage; }\n\n"
         << "}  // namespace platform\n";

    // Written whole or not at all, so a failed run leaves no half table.
    const std::string out = argv[1];
    std::ofstream file(out + ".tmp");
    file << body.str();
    file.close();
    if (!file || std::rename((out + ".tmp").c_str(), out.c_str()) != 0) {
        std::cerr << "make_glyph_table: cannot write " << out << "\n";
        return 1;
    }
    return 0;
}
