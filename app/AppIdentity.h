// The names by which Vela finds itself and is found.
#pragma once

namespace vela {

inline constexpr wchar_t kWindowTitle[] = L"Vela";
// The window class of the main dialog (the CLASS of its template). A second
// start looks for class and title together, so another program's window that
// happens to be titled "Vela" is left alone.
inline constexpr wchar_t kMainWindowClass[] = L"VelaMainWindow";
inline constexpr wchar_t kInstanceMutexName[] = L"kestrel";
// The tray's hidden window, which owns the icon and its menu.
inline constexpr wchar_t kTrayWindowClass[] = L"VelaTrayWindow";
// The notice of what applies now, near the pointer.
inline constexpr wchar_t kNoticeWindowClass[] = L"VelaNotice";

}  // namespace vela
