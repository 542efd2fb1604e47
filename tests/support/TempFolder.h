#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// A fresh empty folder that the test works in: entered on construction,
// left and removed on destruction. The tool addresses all its files
// relative to the working directory, as it does in the client's folder.
class TempFolder {
public:
    TempFolder()
        : previous_(std::filesystem::current_path()),
          path_(std::filesystem::temp_directory_path() / UniqueName())
    {
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }

    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    static std::string UniqueName()
    {
        std::random_device random;
        return "setup-test-" + std::to_string(random()) + std::to_string(random());
    }

    std::filesystem::path previous_;
    std::filesystem::path path_;
};
