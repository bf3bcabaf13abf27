#include "harness.h"

namespace harness {

namespace {

using Clock = std::chrono::steady_clock;

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// WM_GETTEXT is marshalled across processes; the timeout keeps a hung
// screen saver from hanging the test with it.
std::wstring textOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()), SMTO_ABORTIFHUNG, 2000,
                             &copied)) {
        return {};
    }
    text.resize(std::size_t(copied));
    return text;
}

std::vector<HWND> childrenOf(HWND parent, const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (_wcsicmp(classOf(child).c_str(), s->className) == 0) s->found.push_back(child);
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

HWND messageBoxOf(DWORD processId) {
    for (HWND window : topLevelWindowsOf(processId)) {
        if (classOf(window) == L"#32770") return window;
    }
    return nullptr;
}

// A message box keeps its text in a static control with id 0xFFFF; the icon
// is a static control too, but without text.
std::wstring messageBoxText(HWND box) {
    if (HWND text = GetDlgItem(box, 0xFFFF)) {
        std::wstring content = textOf(text);
        if (!content.empty()) return content;
    }
    for (HWND label : childrenOf(box, L"Static")) {
        std::wstring content = textOf(label);
        if (!content.empty()) return content;
    }
    return {};
}

int okButtonId(HWND box) {
    if (GetDlgItem(box, IDOK)) return IDOK;
    std::vector<HWND> buttons = childrenOf(box, L"Button");
    return buttons.empty() ? IDOK : GetDlgCtrlID(buttons.front());
}

}  // namespace

std::optional<std::wstring> dismissMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = messageBoxOf(processId)) != nullptr; }, timeout)) return std::nullopt;

    // The box may still be filling in its controls when it first turns up.
    std::wstring text;
    waitUntil([&] { return !(text = messageBoxText(box)).empty(); },
              std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));

    // A posted command works whether or not the box is the active window,
    // which a direct button click does not promise.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(okButtonId(box), BN_CLICKED), LPARAM(GetDlgItem(box, IDOK)));
    // The box hides at once; Wine may take seconds more to tear it down.
    waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 2s);
    return text;
}

}  // namespace harness
