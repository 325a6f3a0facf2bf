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

inline std::string DataFile(const std::string& name) {
    return DUVORA_TEST_DATA_DIR "/" + name;
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

// Text as the data tables write it: \r \n \t \\ and \xHH stand for their
// bytes, and {c*N} for the character c N times.
inline std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t close = text.find('}', i);
        if (text[i] == '{' && close != std::string_view::npos && text[i + 2] == '*') {
            out.append(std::stoul(std::string(text.substr(i + 3, close - i - 3))), text[i + 1]);
            i = close;
        } else if (text[i] == '\\' && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16));
            i += 3;
        } else if (text[i] == '\\') {
            const char c = text[++i];
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            out += text[i];
        }
    }
    return out;
}
