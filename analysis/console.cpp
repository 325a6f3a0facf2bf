#include "console.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

#ifdef _WIN32

namespace {

std::string ToUtf8(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

// A handle the program was given: a file, a pipe or a device such as NUL.
bool IsGiven(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A console takes UTF-16, whatever its code page; a file or pipe gets UTF-8
// with CR LF line ends.
bool Write(HANDLE handle, const std::string& text) {
    if (text.empty()) {
        return true;
    }
    std::string bytes;
    for (const char c : text) {
        bytes += c == '\n' ? "\r\n" : std::string(1, c);
    }
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const int length = static_cast<int>(bytes.size());
        const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(size), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, wide.data(), size);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr) != 0;
    }
    DWORD written = 0;
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(ToUtf8(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

int WriteOutcome(const ConsoleOutcome& outcome) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    // The program has no console of its own (it is a windows program); the
    // one of cmd or PowerShell that started it serves where nothing else is given.
    if ((!IsGiven(out) || !IsGiven(err)) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        out = IsGiven(out) ? out : console;
        err = IsGiven(err) ? err : console;
    }
    const bool written = Write(out, outcome.out) && Write(err, outcome.err);
    return written ? outcome.status : 1;
}

#else

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());  // the program's name
    }
    return arguments;
}

int WriteOutcome(const ConsoleOutcome& outcome) {
    const bool written =
        std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout) == outcome.out.size() &&
        std::fflush(stdout) == 0;
    std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
    if (!written) {
        std::fputs("duvora: the output could not be written\n", stderr);
        return 1;
    }
    return outcome.status;
}

#endif
