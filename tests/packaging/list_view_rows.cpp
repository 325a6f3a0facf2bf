// Prints the table of the window named Duvora, a line a row, its three cells
// separated by tabs. The list view belongs to another process: each cell is
// asked into memory placed in that process and read back from there.
// Exits 1 while no such window shows.

#include <windows.h>

#include <commctrl.h>
#include <cstdio>

int main() {
    // The list view lies on the panel that fills the window.
    const HWND panel = GetWindow(FindWindowW(nullptr, L"Duvora"), GW_CHILD);
    const HWND list =
        panel != nullptr ? FindWindowExW(panel, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    LVITEMW item{};
    wchar_t text[256]{};
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof item + sizeof text, MEM_COMMIT, PAGE_READWRITE));
    if (list == nullptr || remote == nullptr) {
        return 1;
    }
    item.pszText = reinterpret_cast<LPWSTR>(remote + sizeof item);
    item.cchTextMax = 255;
    for (LRESULT row = 0; row < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        for (item.iSubItem = 0; item.iSubItem < 3; ++item.iSubItem) {
            WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(remote));
            if (!ReadProcessMemory(process, item.pszText, text, sizeof text, nullptr)) {
                return 1;
            }
            std::printf(item.iSubItem == 0 ? "%ls" : "\t%ls", text);
        }
        std::printf("\n");
    }
}
