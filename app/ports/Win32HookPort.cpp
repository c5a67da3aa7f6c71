#include "app/ports/Win32HookPort.h"

#include <string>

#include "core/ProgramFiles.h"
#include "win32/ModulePath.h"

namespace vela::win32 {

namespace {

// The one engine behind the nine libraries, beside them.
constexpr std::wstring_view kEngineLibrary = L"VelaHooks.dll";

template <typename F>
F lookUp(HMODULE module, std::string_view name) {
    const std::string symbol(name);
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, symbol.c_str())));
}

}  // namespace

Win32HookPort::Win32HookPort(HWND window, const std::wstring& folder) : window_(window) {
    std::wstring base = folder.empty() ? moduleFolderOf(modulePath()) : folder;
    if (!base.empty() && base.back() != L'\\' && base.back() != L'/') base += L'\\';
    for (const SlotInfo& info : kSlotTable) {
        Library& lib = libraries_[info.slot];
        const std::wstring path = base + std::wstring(info.hookLibrary);
        // A full path with this flag makes the shared hook engine load from
        // the same folder too.
        lib.module.reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        if (!lib.module) continue;
        lib.install = lookUp<HookFunction>(lib.module.get(), info.installFunction);
        lib.remove = lookUp<HookFunction>(lib.module.get(), info.removeFunction);
    }
    // Loaded already with the libraries: this only keeps it and finds its
    // export.
    const std::wstring engine = base + std::wstring(kEngineLibrary);
    engine_.reset(LoadLibraryExW(engine.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (engine_) {
        listen_ = lookUp<ListenFunction>(engine_.get(), "vela_hook_listen");
        capture_ = lookUp<CaptureFunction>(engine_.get(), "vela_hook_capture");
        tune_ = lookUp<TuneFunction>(engine_.get(), "vela_hook_tune");
        letGo_ = lookUp<LetGoFunction>(engine_.get(), "vela_hook_let_go");
        triggers_ = lookUp<TriggersFunction>(engine_.get(), "vela_hook_triggers");
        watchKeys_ = lookUp<CaptureFunction>(engine_.get(), "vela_hook_watch_keys");
        keyHeld_ = lookUp<KeyHeldFunction>(engine_.get(), "vela_hook_key_held");
        want_ = lookUp<WantFunction>(engine_.get(), "vela_hook_want");
    }
}

bool Win32HookPort::loaded(Slot slot) const {
    const Library& lib = libraries_[slot];
    return lib.module && lib.install && lib.remove;
}

void Win32HookPort::install(Slot slot) {
    const Library& lib = libraries_[slot];
    if (lib.install) lib.install(window_);
}

void Win32HookPort::remove(Slot slot) {
    const Library& lib = libraries_[slot];
    if (lib.remove) lib.remove(window_);
}

void Win32HookPort::watchKeys(bool on) {
    if (watchKeys_) watchKeys_(on ? 1 : 0);
}

std::optional<bool> Win32HookPort::keyHeld(std::uint16_t virtualKey) {
    const int held = keyHeld_ ? keyHeld_(virtualKey) : -1;
    if (held < 0) return std::nullopt;
    return held != 0;
}

void Win32HookPort::want(SlotSet slots) {
    ask(slots, false);
}

unsigned Win32HookPort::wantAnswered(SlotSet slots) {
    return ask(slots, true);
}

unsigned Win32HookPort::ask(SlotSet slots, bool answered) {
    // A slot whose library is missing stays out, as its calls would do nothing.
    SlotSet found;
    for (const SlotInfo& info : kSlotTable) {
        if (loaded(info.slot)) found.add(info.slot);
    }
    return want_ ? want_((slots & found).bits(), window_, answered ? 1 : 0) : 0;
}

void Win32HookPort::listen(UINT message) {
    message_ = message;
    tellEngine();
}

void Win32HookPort::watchClicks(bool on) {
    clicks_ = on;
    tellEngine();
}

void Win32HookPort::beginCapture(std::function<void(const CapturedKey&)> sink) {
    sink_ = std::move(sink);
    if (capture_) capture_(1);
}

void Win32HookPort::renewCapture() {
    if (sink_ && capture_) capture_(1);
}

void Win32HookPort::endCapture() {
    const bool running = static_cast<bool>(sink_);
    sink_ = nullptr;
    if (running && capture_) capture_(0);
}

void Win32HookPort::captured(const CapturedKey& key) {
    // A copy: the sink may end the capture while it runs.
    if (auto sink = sink_) sink(key);
}

void Win32HookPort::tune(const MouseTuning& tuning) {
    if (tune_) tune_(&tuning);
}

void Win32HookPort::setTriggers(const TriggerSet& triggers) {
    if (triggers_) triggers_(&triggers);
}

void Win32HookPort::letGo() {
    if (letGo_) letGo_();
}

void Win32HookPort::tellEngine() {
    if (listen_ && window_ && message_ != 0) listen_(window_, message_, clicks_ ? 1 : 0);
}

}  // namespace vela::win32
