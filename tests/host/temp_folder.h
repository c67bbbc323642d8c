// A fresh folder for one test's files, removed with everything in it.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <string>

class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("velmorin-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

    // Every name in the folder, hidden ones included.
    std::set<std::string> names() const { return namesIn(path_); }
    static std::set<std::string> namesIn(const std::filesystem::path& folder) {
        std::set<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            result.insert(entry.path().filename().string());
        }
        return result;
    }

  private:
    std::filesystem::path path_;
};
