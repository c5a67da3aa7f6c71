#include "menu/win32/CMenuXPItem.h"

#include <atomic>

namespace vela::win32 {

namespace {
std::atomic<long> liveItems{0};
}

CMenuXPItem::CMenuXPItem(UINT id, std::wstring itemText, HICON icon, int iconEdge)
    : commandId(id), text(std::move(itemText)), iconSize(iconEdge), icon_(icon) {
    ++liveItems;
}

CMenuXPItem::~CMenuXPItem() {
    --liveItems;
}

long CMenuXPItem::liveCount() {
    return liveItems.load();
}

}  // namespace vela::win32
