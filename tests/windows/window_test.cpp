// The window on wxMSW's native controls (run under Wine here): the list view
// with many rows, the native Open dialog as a person sees it, the icon and
// the close box.

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/init.h>
#include <wx/listctrl.h>
#include <wx/testing.h>
#include <wx/weakref.h>

#include "main_window.h"
#include "number_format.h"

namespace {

namespace fs = std::filesystem;

// The control IDs of the common Open dialog (dlgs.h).
constexpr int kFileTypeCombo = 0x470;  // cmb1
constexpr int kFileNameEdit = 0x480;   // edt1, in the dialog of today
constexpr int kFileNameCombo = 0x47c;  // cmb13, in the older one

class WindowOnWindows : public testing::Test {
  protected:
    WindowOnWindows() {
        folder_ = fs::temp_directory_path() /
                  ("duvora-window-test-" + std::to_string(::GetCurrentProcessId()));
        fs::create_directories(folder_);
        frmduvora::Options options;
        options.endProgram = [] {};
        window_ = new frmduvora(std::move(options));
        window_->Show();
    }
    ~WindowOnWindows() override {
        if (window_) {
            window_->Destroy();
        }
        wxTheApp->ProcessIdle();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    fs::path Write(const fs::path& name, const std::string& content) const {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    void Press(const char* name) const {
        auto* button = dynamic_cast<wxButton*>(wxWindow::FindWindowByName(name, window_));
        ASSERT_NE(button, nullptr) << name;
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->HandleWindowEvent(click);
    }

    // Input Data, the Open dialog answered with the path without showing it.
    void Load(const fs::path& path) const {
        wxTEST_DIALOG(Press("cmdInputData"), wxExpectModal<wxFileDialog>(wxString(path.wstring())));
    }

    wxListCtrl* Table() const {
        return dynamic_cast<wxListCtrl*>(wxWindow::FindWindowByName("lvwResult", window_));
    }

    // The row's cells as the native list view hands them to a screen reader.
    std::vector<std::string> NativeRow(long row) const {
        std::vector<std::string> cells;
        const auto list = static_cast<HWND>(Table()->GetHWND());
        for (int column = 0; column < 3; ++column) {
            wchar_t text[64] = {};
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 64;
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&item));
            cells.push_back(wxString(text).utf8_string());
        }
        return cells;
    }

    fs::path folder_;
    wxWeakRef<frmduvora> window_;
};

TEST_F(WindowOnWindows, InputDataShowsAll32767Records) {
    constexpr int kRecords = 32767;
    std::string content = "Before\r\nAfter\r\n";
    for (int k = 1; k <= kRecords; ++k) {
        content += std::to_string(k) + "\r\n" + std::to_string(2 * k) + "\r\n";
    }
    const fs::path file = Write("pairs.txt", content);

    const auto start = std::chrono::steady_clock::now();
    Load(file);
    const auto end = std::chrono::steady_clock::now();

    ASSERT_EQ(Table()->GetItemCount(), kRecords);
    EXPECT_EQ(::SendMessageW(static_cast<HWND>(Table()->GetHWND()), LVM_GETITEMCOUNT, 0, 0),
              kRecords);
    EXPECT_EQ(NativeRow(0),
              (std::vector<std::string>{FormatNumber(1), FormatNumber(2), FormatNumber(-1)}));
    EXPECT_EQ(NativeRow(kRecords - 1),
              (std::vector<std::string>{FormatNumber(kRecords), FormatNumber(2.0 * kRecords),
                                        FormatNumber(-kRecords)}));
    // The figure the README quotes; a time is reported, never asserted.
    std::printf("Input Data, %d records: %.0f ms\n", kRecords,
                std::chrono::duration<double, std::milli>(end - start).count());
}

TEST_F(WindowOnWindows, FileThatFailsPartWayKeepsItsRowsUntilClear) {
    Load(Write("partial.txt", "Before\r\nAfter\r\n1\r\n2\r\n3\r\n4\r\n5\r\nfive\r\n"));
    EXPECT_EQ(Table()->GetItemCount(), 2);
    EXPECT_EQ(NativeRow(1)[0], FormatNumber(3));

    Press("cmdClear");
    EXPECT_EQ(Table()->GetItemCount(), 0);
    // Wine still draws the old headings here; the header control holds none.
    const auto header = reinterpret_cast<HWND>(
        ::SendMessageW(static_cast<HWND>(Table()->GetHWND()), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(WindowOnWindows, WindowAndTaskbarShowTheProgramsIcon) {
    const auto frame = static_cast<HWND>(window_->GetHWND());
    EXPECT_NE(::SendMessageW(frame, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageW(frame, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(WindowOnWindows, CloseBoxClosesTheWindow) {
    // What the close box sends.
    ::SendMessageW(static_cast<HWND>(window_->GetHWND()), WM_SYSCOMMAND, SC_CLOSE, 0);
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(window_);
}

// The common Open dialog of this process once it shows, or null.
HWND FindOpenDialog() {
    for (HWND window = nullptr;
         (window = ::FindWindowExW(nullptr, window, L"#32770", nullptr)) != nullptr;) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
            ::GetDlgItem(window, kFileTypeCombo) != nullptr) {
            return window;
        }
    }
    return nullptr;
}

// What the dialog showed when it came up.
struct DialogSeen {
    std::wstring title;
    std::vector<std::wstring> fileTypes;
    int selectedType = -1;
    std::wstring fileName;
};

// Runs show, which brings up the native Open dialog, while a second thread
// plays the person: it notes what the dialog shows, then types the path into
// the file name box and presses Open, or presses Cancel when path is empty.
DialogSeen AnswerOpenDialog(const std::wstring& path, const std::function<void()>& show) {
    DialogSeen seen;
    std::atomic<bool> shown{false};
    std::thread person([&] {
        HWND dialog = nullptr;
        for (int k = 0; k < 400 && dialog == nullptr && !shown; ++k) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            dialog = FindOpenDialog();
        }
        if (dialog == nullptr) {
            return;
        }
        const HWND types = ::GetDlgItem(dialog, kFileTypeCombo);
        wchar_t text[MAX_PATH] = {};
        ::GetWindowTextW(dialog, text, MAX_PATH);
        seen.title = text;
        for (WPARAM k = 0; k < static_cast<WPARAM>(::SendMessageW(types, CB_GETCOUNT, 0, 0)); ++k) {
            ::SendMessageW(types, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(text));
            seen.fileTypes.emplace_back(text);
        }
        seen.selectedType = static_cast<int>(::SendMessageW(types, CB_GETCURSEL, 0, 0));
        HWND name = ::GetDlgItem(dialog, kFileNameEdit);
        if (name == nullptr) {
            name = ::GetDlgItem(dialog, kFileNameCombo);
        }
        ::SendMessageW(name, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
        seen.fileName = text;
        if (path.empty()) {
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        } else {
            ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
    });
    show();
    shown = true;
    person.join();
    return seen;
}

TEST_F(WindowOnWindows, OpenDialogOffersTextFilesFirstAndTheLastFileAgain) {
    // A name with letters outside ASCII, typed as a person types it.
    const fs::path file = Write(L"Blutdruck \u00e4\u00f6\u00fc \u0107.txt",
                                "Vorher\r\nNachher\r\n1\r\n2\r\n3\r\n5\r\n");
    const DialogSeen first = AnswerOpenDialog(file.wstring(), [&] { Press("cmdInputData"); });
    EXPECT_EQ(first.fileTypes,
              (std::vector<std::wstring>{L"All Files (*.*)", L"Text Files (*.txt)"}));
    EXPECT_EQ(first.selectedType, 1);
    EXPECT_EQ(first.title, L"Open");  // the common dialog's own, not one of ours
    ASSERT_EQ(Table()->GetItemCount(), 2);
    EXPECT_EQ(NativeRow(1)[1], FormatNumber(5));

    const DialogSeen second = AnswerOpenDialog(L"", [&] { Press("cmdInputData"); });
    EXPECT_EQ(second.fileName, file.filename().wstring());
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "Cannot start wxWidgets\n");
        return 1;
    }
    // A failed wx assertion would otherwise open a dialog and wait for a person.
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& message) {
        ADD_FAILURE_AT(file.utf8_str(), line)
            << "wx assertion " << cond.utf8_string() << ": " << message.utf8_string();
    });
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
