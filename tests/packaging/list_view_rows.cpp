// Prints the table of the running program's window named Duvora, one line a
// row, its cells separated by tabs: the list view belongs to another process,
// so each cell's text is asked into memory placed in that process and read
// back from there. Exits 1 while no such window with a table shows.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

namespace {

BOOL CALLBACK FindListView(HWND child, LPARAM found) {
    wchar_t name[32]{};
    GetClassNameW(child, name, 32);
    if (lstrcmpW(name, WC_LISTVIEWW) != 0) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

}  // namespace

int main() {
    HWND list = nullptr;
    if (HWND window = FindWindowW(nullptr, L"Duvora")) {
        EnumChildWindows(window, FindListView, reinterpret_cast<LPARAM>(&list));
    }
    DWORD pid = 0;
    if (list == nullptr || GetWindowThreadProcessId(list, &pid) == 0) {
        return 1;
    }
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    constexpr int kChars = 256;
    constexpr SIZE_T kSize = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr) {
        return 1;
    }
    const auto rows = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    const auto columns = SendMessageW(ListView_GetHeader(list), HDM_GETITEMCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = kChars;
            item.pszText = reinterpret_cast<LPWSTR>(remote + sizeof(LVITEMW));
            wchar_t text[kChars]{};
            char utf8[4 * kChars]{};
            if (!WriteProcessMemory(process, remote, &item, sizeof item, nullptr) ||
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(remote)) < 0 ||
                !ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof text - 2,
                                   nullptr) ||
                WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr) ==
                    0) {
                return 1;
            }
            std::printf(column == 0 ? "%s" : "\t%s", utf8);
        }
        std::printf("\n");
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}
