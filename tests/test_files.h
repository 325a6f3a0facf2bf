#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

// A path from UTF-8 text, and back: on Windows a narrow std::string path
// would go through the ANSI code page instead.
inline std::filesystem::path Utf8Path(std::string_view text) {
    return std::u8string(text.begin(), text.end());
}
inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// A folder of real files, removed with everything in it.
struct ScratchFolder {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("duvora-test-" + std::to_string(std::random_device{}()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    // Writes the bytes under the UTF-8 name; returns the file's path in UTF-8.
    std::string Write(const std::string& name, std::string_view bytes) const {
        const auto file = path / Utf8Path(name);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::ssize(bytes));
        return Utf8Text(file);
    }
};

// Files this process holds open, so that a test can see one left open.
inline long OpenFiles() {
#ifdef __linux__
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
#else
    return 0;
#endif
}
