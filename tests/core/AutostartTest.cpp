#include <gtest/gtest.h>

#include "core/Autostart.h"
#include "tests/support/AutostartStores.h"

namespace vela {
namespace {

using test::FakeStores;

const std::wstring kExe = L"C:\\Program Files\\Vela\\Vela.exe";

TEST(Autostart, AFreshUserGetsAQuotedRunEntryAndSeesItOn) {
    FakeStores stores;
    Autostart autostart(stores, kExe);
    autostart.syncAtStartup();
    EXPECT_EQ(stores.runValue, L"\"C:\\Program Files\\Vela\\Vela.exe\"");
    EXPECT_TRUE(autostart.isOn());
    EXPECT_EQ(stores.bootValue, std::nullopt);  // nothing written until the user chooses
}

TEST(Autostart, StartupMakesTheRunEntryFollowTheProfile) {
    FakeStores stores;
    stores.bootValue = kBootOff;
    stores.runValue = L"\"D:\\old\\Vela.exe\"";
    Autostart(stores, kExe).syncAtStartup();
    EXPECT_EQ(stores.runValue, std::nullopt);

    stores.bootValue = kBootOn;
    stores.runValue = L"D:\\old\\Vela.exe";  // a stale, moved copy
    Autostart(stores, kExe).syncAtStartup();
    EXPECT_EQ(stores.runValue, runCommandFor(kExe));

    stores.bootValue = 7;  // anything but 0 is off
    Autostart(stores, kExe).syncAtStartup();
    EXPECT_EQ(stores.runValue, std::nullopt);
}

TEST(Autostart, ToggleTwiceReturnsBothStoresToWhereTheyWere) {
    FakeStores stores;
    stores.bootValue = kBootOn;
    Autostart autostart(stores, kExe);
    autostart.syncAtStartup();
    const FakeStores before = stores;

    autostart.toggle();
    EXPECT_EQ(stores.bootValue, kBootOff);
    EXPECT_EQ(stores.runValue, std::nullopt);
    EXPECT_FALSE(autostart.isOn());

    autostart.toggle();
    EXPECT_EQ(stores.bootValue, before.bootValue);
    EXPECT_EQ(stores.runValue, before.runValue);
    EXPECT_TRUE(autostart.isOn());
}

TEST(Autostart, AnUnopenableRunKeyStillRecordsTheChoice) {
    FakeStores stores;
    stores.runKeyOpens = false;
    Autostart autostart(stores, kExe);
    autostart.toggle();
    EXPECT_EQ(stores.bootValue, kBootOff);
    // The profile wins at the next start, once the key can be opened.
    stores.runKeyOpens = true;
    stores.runValue = runCommandFor(kExe);
    autostart.syncAtStartup();
    EXPECT_EQ(stores.runValue, std::nullopt);
}

}  // namespace
}  // namespace vela
