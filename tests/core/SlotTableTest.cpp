#include <gtest/gtest.h>

#include "core/PlatformFlags.h"
#include "core/SlotTable.h"

namespace vela {
namespace {

TEST(PlatformFlags, TiltFromVistaWindows8ShortcutsFromWindows8On) {
    struct Case {
        unsigned major, minor;
        bool tilt, win8;
    };
    const Case cases[] = {{5, 1, false, false}, {6, 0, true, false}, {6, 1, true, false},
                          {6, 2, true, true},   {6, 3, true, true},  {10, 0, true, true}};
    for (const Case& c : cases) {
        const PlatformFlags flags = platformFlagsFor(c.major, c.minor);
        EXPECT_EQ(flags.tiltSupported, c.tilt) << c.major << "." << c.minor;
        EXPECT_EQ(flags.win8MenuEnabled, c.win8) << c.major << "." << c.minor;
    }
}

}  // namespace
}  // namespace vela
