#include "support/list_view.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "support/driver.h"

namespace wine_test {
namespace {

constexpr DWORD kAnswerMs = 5000;
constexpr int kTextUnits = 1024;

// One buffer committed in the list's process, released with the object.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, SIZE_T bytes) : bytes_(bytes) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) {
            memory_ =
                VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
        if (!memory_)
            ADD_FAILURE() << "no buffer in process " << pid << ", error " << GetLastError();
    }
    ~RemoteBuffer() {
        if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool valid() const { return memory_ != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(memory_) + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const {
        return offset + size <= bytes_ &&
               WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const {
        return offset + size <= bytes_ &&
               ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

  private:
    SIZE_T bytes_;
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

std::optional<LRESULT> ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs,
                             &result)) {
        ADD_FAILURE() << "the list view does not answer message " << message;
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

// LVM_GETITEMTEXTW with the record at the start of the buffer and the text after it.
std::string cellText(const RemoteBuffer& buffer, HWND listView, int row, int column) {
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kTextUnits;
    item.pszText = reinterpret_cast<wchar_t*>(buffer.at(sizeof item));
    if (!buffer.write(0, &item, sizeof item)) return {};
    std::optional<LRESULT> units =
        ask(listView, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.at(0)));
    if (!units || *units <= 0) return {};
    std::wstring text(static_cast<size_t>(*units), L'\0');
    buffer.read(sizeof item, text.data(), text.size() * sizeof(wchar_t));
    return toUtf8(text);
}

}  // namespace

std::vector<ListViewRow> listViewRows(HWND listView, int columns) {
    std::vector<ListViewRow> rows;
    RemoteBuffer buffer(listView, sizeof(LVITEMW) + (kTextUnits + 1) * sizeof(wchar_t));
    std::optional<LRESULT> count = ask(listView, LVM_GETITEMCOUNT, 0, 0);
    if (!buffer.valid() || !count) return rows;
    for (int i = 0; i < static_cast<int>(*count); ++i) {
        ListViewRow row;
        for (int c = 0; c < columns; ++c)
            row.push_back(cellText(buffer, listView, i, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> listViewColumns(HWND listView) {
    std::vector<std::string> captions;
    RemoteBuffer buffer(listView, sizeof(LVCOLUMNW) + (kTextUnits + 1) * sizeof(wchar_t));
    if (!buffer.valid()) return captions;
    for (int i = 0;; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.cchTextMax = kTextUnits;
        column.pszText = reinterpret_cast<wchar_t*>(buffer.at(sizeof column));
        std::vector<wchar_t> empty(kTextUnits + 1, L'\0');
        buffer.write(sizeof column, empty.data(), empty.size() * sizeof(wchar_t));
        if (!buffer.write(0, &column, sizeof column)) break;
        std::optional<LRESULT> ok =
            ask(listView, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(buffer.at(0)));
        if (!ok || !*ok) break;
        buffer.read(sizeof column, empty.data(), kTextUnits * sizeof(wchar_t));
        captions.push_back(toUtf8(empty.data()));
    }
    return captions;
}

std::optional<POINT> listViewRowPoint(HWND listView, int row) {
    RemoteBuffer buffer(listView, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_LABEL;
    if (!buffer.valid() || !ask(listView, LVM_ENSUREVISIBLE, row, FALSE) ||
        !buffer.write(0, &rect, sizeof rect)) {
        return std::nullopt;
    }
    std::optional<LRESULT> ok =
        ask(listView, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(buffer.at(0)));
    if (!ok || !*ok || !buffer.read(0, &rect, sizeof rect)) {
        ADD_FAILURE() << "no rectangle for row " << row;
        return std::nullopt;
    }
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(listView, &centre);
    return centre;
}

}  // namespace wine_test
