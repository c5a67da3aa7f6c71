// menu-host: a bare window with the nine caption buttons, driving the real
// function menu and assignment commands, so the menu can be looked at and
// exercised under Wine on its own. Hook calls, captions and saves go to the log.
//
//   menu-host --log FILE [--win8] [--cycles N] [--leak]
//
// --cycles N opens the menu N times by itself, each time opening the "Mouse"
// submenu with the keyboard once the menu has painted, then closing it; it
// logs the process's GDI and USER object counts before and after and exits.
// --leak makes every cycle leak one brush and one menu, to show the counts
// see it.
#include <memory>
#include <string>
#include <vector>

#include "core/SlotModel.h"
#include "menu/AssignmentCommands.h"
#include "menu/win32/CMenuXPItem.h"
#include "menu/win32/FunctionMenu.h"
#include "menu/win32/Win32MenuPorts.h"
#include "tests/wine/probe/GuiObjectCounts.h"
#include "tests/wine/probe/Probe.h"

namespace vela::probe {

namespace {

constexpr UINT_PTR kExitTimer = 100;
constexpr UINT_PTR kCloseMenuTimer = 101;
constexpr UINT kRunCycles = WM_APP + 1;

EventLog* gMenuLog = nullptr;
bool win8 = false;
int cycles = 0;
bool leak = false;

void logLine(const std::wstring& line) {
    gMenuLog->line("%s", utf8(line).c_str());
}

class HostPorts : public HookPort, public ViewPort, public TimerPort {
public:
    HWND window = nullptr;
    void install(Slot s) override { logLine(L"install " + name(s)); }
    void remove(Slot s) override { logLine(L"remove " + name(s)); }
    void setCaption(Slot s, const std::wstring& text) override {
        SetDlgItemTextW(window, slotInfo(s).captionControl, text.c_str());
        logLine(L"caption " + name(s) + L" " + text);
    }
    void setDescriptionLabel(Slot, const std::wstring&) override {}
    void repaintCaptions() override {
        win32::Win32CaptionGeometry geometry(window);
        menu::repaintCaptions(geometry);
    }
    void setCaptionInherited(Slot, bool) override {}
    void setProfileCaption(const std::wstring&) override {}
    void start(int id, std::uint32_t ms) override {
        SetTimer(window, static_cast<UINT_PTR>(id), ms, nullptr);
        logLine(L"timer " + std::to_wstring(id) + L" " + std::to_wstring(ms));
    }
    void stop(int id) override { KillTimer(window, static_cast<UINT_PTR>(id)); }

private:
    static std::wstring name(Slot s) {
        const std::string_view n = slotInfo(s).name;
        return std::wstring(n.begin(), n.end());
    }
};

struct MenuHostState {
    HostPorts ports;
    SlotModel model{ports, ports, ports};
    std::unique_ptr<win32::Win32MessageBox> messages;
    std::unique_ptr<win32::Win32OpenFileDialog> files;
    std::unique_ptr<win32::Win32FunctionMenu> menu;
    std::unique_ptr<win32::Win32CaptionGeometry> captions;
    std::unique_ptr<menu::AssignmentCommands> commands;
};
std::unique_ptr<MenuHostState> gMenu;

void save() {
    // One line per slot: its caption, whether it is remapped, and which kind
    // of function it holds.
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment& a = gMenu->model.at(info.slot);
        logLine(L"save " + std::wstring(info.section) + L" 0=" + a.caption + L" 1=" +
                (a.remapped ? L"1" : L"0") + L" kind=" + std::to_wstring(a.action.index()));
    }
}

std::wstring counts() {
    const GuiObjectCounts c = guiObjectCounts();
    return L"gdi=" + std::to_wstring(c.gdi) + L" user=" + std::to_wstring(c.user) + L" items=" +
           std::to_wstring(win32::CMenuXPItem::liveCount()) +
           (c.fromSystem ? L" (system)" : L" (counted)");
}

int idleCalls = 0;
int openLevels = 0;
int cyclesWithSubmenu = 0;
HWND hostWindow = nullptr;

BOOL CALLBACK countMenuWindow(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32768" && IsWindowVisible(window)) ++openLevels;
    return TRUE;
}

// The menu loop takes keys from the thread's queue, whatever window they name.
void pressKey(WORD key) {
    PostMessageW(hostWindow, WM_KEYDOWN, key, 1);
    PostMessageW(hostWindow, WM_KEYUP, key, 0xC0000001);
}

constexpr UINT_PTR kCheckMenuTimer = 102;

// Wine tells the owner once that the open menu has gone idle, i.e. painted:
// then open the "Mouse" submenu with the keyboard and look for it shortly.
void onMenuIdle() {
    if (++idleCalls != 1) return;
    // Past the root's own entries ("No Settings", "Keys and Shortcuts…", ...)
    // to "Mouse".
    for (const menu::CatalogueEntry& e : menu::kCatalogue)
        if (e.level == menu::MenuLevel::Root) pressKey(VK_DOWN);
    pressKey(VK_DOWN);
    pressKey(VK_RIGHT);
    SetTimer(hostWindow, kCheckMenuTimer, 5, nullptr);
}

// Closes the menu once the submenu is seen, or after a second at most.
void checkMenu() {
    openLevels = 0;
    EnumThreadWindows(GetCurrentThreadId(), countMenuWindow, 0);
    if (openLevels >= 2 || ++idleCalls > 200) {
        if (openLevels >= 2) ++cyclesWithSubmenu;
        KillTimer(hostWindow, kCheckMenuTimer);
        EndMenu();
    }
}

void showOnce(HWND window) {
    idleCalls = 0;
    hostWindow = window;
    // In case the menu never goes idle, it still closes.
    SetTimer(window, kCloseMenuTimer, 2000, nullptr);
    win32::ShowFunctionMenu(window, 40, 40, win8, GetModuleHandleW(nullptr));
    KillTimer(window, kCloseMenuTimer);
    KillTimer(window, kCheckMenuTimer);
}

void runCycles(HWND window) {
    // One showing first, so lazily created system objects (menu font, class
    // atoms) are counted in the baseline, not as leaks.
    showOnce(window);
    cyclesWithSubmenu = 0;
    logLine(L"before " + counts());
    for (int i = 0; i < cycles; ++i) {
        showOnce(window);
        if (leak) {
            CreateSolidBrush(RGB(i & 255, 0, 0));
            CreatePopupMenu();
        }
    }
    logLine(L"after " + counts());
    logLine(L"cycles " + std::to_wstring(cycles) + L" with-submenu " +
            std::to_wstring(cyclesWithSubmenu));
    PostQuitMessage(0);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (HIWORD(wParam) == BN_CLICKED && gMenu->commands->openFunctionMenuForControl(id))
                return 0;
            if (gMenu->commands->onCommand(static_cast<std::uint32_t>(id))) {
                logLine(L"command " + std::to_wstring(id));
                return 0;
            }
            break;
        }
        case WM_TIMER:
            if (wParam == static_cast<UINT_PTR>(kSaveTimerId)) {
                KillTimer(window, wParam);
                save();
                return 0;
            }
            if (wParam == kCheckMenuTimer) {
                checkMenu();
                return 0;
            }
            if (wParam == kCloseMenuTimer) {
                KillTimer(window, wParam);
                EndMenu();
                return 0;
            }
            if (wParam == kExitTimer) PostQuitMessage(0);
            return 0;
        case WM_ENTERIDLE:
            if (cycles > 0 && wParam == MSGF_MENU) onMenuIdle();
            return 0;
        case kRunCycles:
            runCycles(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int menuHost(HINSTANCE instance, const Args& args, EventLog& log) {
    gMenuLog = &log;
    win8 = args.flag(L"--win8");
    leak = args.flag(L"--leak");
    cycles = args.number(L"--cycles", 0);

    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"VelaMenuHost";
    RegisterClassW(&wc);
    HWND window =
        CreateWindowExW(0, L"VelaMenuHost", L"Vela Menu Host", WS_POPUP | WS_BORDER | WS_VISIBLE, 0,
                        0, 700, 600, nullptr, nullptr, instance, nullptr);
    gMenu = std::make_unique<MenuHostState>();
    gMenu->ports.window = window;
    int y = 10;
    for (const SlotInfo& info : kSlotTable) {
        CreateWindowExW(0, L"BUTTON", std::wstring(info.nativeCaption).c_str(),
                        WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, y, 160, 28, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(info.captionControl)),
                        instance, nullptr);
        gMenu->model.at(info.slot).caption = info.nativeCaption;
        y += 36;
    }
    gMenu->messages = std::make_unique<win32::Win32MessageBox>(window);
    gMenu->files = std::make_unique<win32::Win32OpenFileDialog>(window);
    gMenu->menu = std::make_unique<win32::Win32FunctionMenu>(window, win8);
    gMenu->captions = std::make_unique<win32::Win32CaptionGeometry>(window);
    gMenu->commands = std::make_unique<menu::AssignmentCommands>(
        gMenu->model,
        menu::MenuCommandPorts{*gMenu->messages, *gMenu->files, *gMenu->menu, *gMenu->captions},
        win32::executableApplicationName());

    SetForegroundWindow(window);
    SetTimer(window, kExitTimer, 120000, nullptr);
    for (const SlotInfo& info : kSlotTable) {
        RECT r{};
        GetWindowRect(GetDlgItem(window, info.captionControl), &r);
        logLine(L"button " + std::to_wstring(info.captionControl) + L" " + std::to_wstring(r.left) +
                L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
                std::to_wstring(r.bottom));
    }
    logLine(L"ready");
    if (cycles > 0) PostMessageW(window, kRunCycles, 0, 0);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    gMenu.reset();
    DestroyWindow(window);
    return 0;
}

}  // namespace vela::probe
