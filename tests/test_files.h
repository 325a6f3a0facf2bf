#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

// A path from UTF-8 text, and back: on Windows a narrow std::string path
// would go through the ANSI code page instead.
inline std::filesystem::path Utf8Path(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A scratch folder of real files, removed with everything in it.
class ScratchFolder {
  public:
    ScratchFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("duvora-test-" + std::to_string(std::random_device{}()) + "-" +
                 std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes the bytes as they stand under the UTF-8 name; returns the path.
    std::string Write(const std::string& name, std::string_view bytes) const {
        const auto file = path_ / Utf8Path(name);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::ssize(bytes));
        return Utf8Text(file);
    }

  private:
    std::filesystem::path path_;
};

inline std::string DataFile(const std::string& name) {
    return std::string(DUVORA_TEST_DATA_DIR) + "/" + name;
}

// Records "First,Second" lines, as a data file would hold them.
inline std::string RecordLines(int count) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += std::to_string(k % 97) + "," + std::to_string(k % 89) + "\r\n";
    }
    return text;
}

// Text as the data tables write it: \r \n \t \\ and \xHH stand for their
// bytes, and {c*N} for the character c N times.
inline std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t close = text.find('}', i);
        if (text[i] == '{' && close != std::string_view::npos && i + 2 < close &&
            text[i + 2] == '*') {
            out.append(std::stoul(std::string(text.substr(i + 3, close - i - 3))), text[i + 1]);
            i = close;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            if (c == 'x') {
                out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
                i += 2;
            } else {
                out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}
