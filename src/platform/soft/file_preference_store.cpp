#include "platform/soft/file_preference_store.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <fstream>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/config_folder.h"
#include "platform/preference_values.h"

namespace platform {
namespace {

// More than a well-formed file ever holds: anything larger is not ours.
constexpr std::uintmax_t kMaxFileSize = 4096;

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// Whitespace-separated integers; nullopt when any of them is not one.
std::optional<std::vector<std::int32_t>> parseIntegers(std::string_view text) {
    std::vector<std::int32_t> values;
    std::istringstream in{std::string(text)};
    std::string token;
    while (in >> token) {
        const auto value = parseInteger(token);
        if (!value) return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

// A shorter list replaces only the entries it has (a word has one); a longer
// one does not fit the field and is ignored.
void readIntegers(std::string_view text, std::span<std::int32_t> field) {
    const auto values = parseIntegers(text);
    if (!values || values->empty() || values->size() > field.size()) return;
    std::copy(values->begin(), values->end(), field.begin());
}

const PreferenceValue* valueNamed(std::string_view name) {
    const auto found =
        std::find_if(kPreferenceValues.begin(), kPreferenceValues.end(),
                     [name](const PreferenceValue& value) { return value.name == name; });
    return found == kPreferenceValues.end() ? nullptr : &*found;
}

}  // namespace

std::filesystem::path FilePreferenceStore::defaultLocation() {
    const std::filesystem::path folder = configFolder();
    return folder.empty() ? folder : folder / "preferences";
}

void FilePreferenceStore::read(PreferenceRecord& record) {
    if (file_.empty()) return;
    std::error_code ec;
    const auto size = std::filesystem::file_size(file_, ec);
    if (ec || size > kMaxFileSize) return;
    std::ifstream in(file_);
    std::string line;
    while (std::getline(in, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string_view name = std::string_view(line).substr(0, equals);
        const std::string_view value = std::string_view(line).substr(equals + 1);
        if (const PreferenceValue* stored = valueNamed(name))
            readIntegers(value, integersOf(*stored, record));
    }
}

void FilePreferenceStore::write(const PreferenceRecord& record) {
    if (file_.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    if (ec) return;

    std::ostringstream text;
    for (const PreferenceValue& value : kPreferenceValues) {
        text << value.name << '=';
        const auto integers = integersOf(value, record);
        for (std::size_t i = 0; i < integers.size(); ++i) text << (i ? " " : "") << integers[i];
        text << '\n';
    }

    // The process id and a count of writes keep every writer apart, in other
    // processes and on other threads; the last rename wins with a complete
    // file either way.
    static std::atomic<unsigned long> writes{0};
    std::filesystem::path temporary = file_;
    temporary += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(writes++);
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << text.str();
        out.flush();
        if (!out) {
            std::filesystem::remove(temporary, ec);
            return;
        }
    }
    std::filesystem::rename(temporary, file_, ec);
    if (ec) std::filesystem::remove(temporary, ec);
}

}  // namespace platform
