#include <gtest/gtest.h>

#include "settings/AtomicReplace.h"
#include "tests/support/MemoryFilePort.h"

namespace vela {
namespace {

using test::bytesOf;
using test::MemoryFilePort;
using test::SimulatedCrash;

const std::wstring kTarget = L"C:\\Vela\\QmSetting.ini";
const auto kOld = bytesOf("[RButtonSetting]\r\n0=old caption\r\n");
const auto kNew = bytesOf("[RButtonSetting]\r\n0=a much longer new caption\r\n1=1\r\n");
constexpr int kWriteSteps = 3;  // create, write, move

TEST(AtomicReplace, WritesBesideTheTargetThenMovesOver) {
    MemoryFilePort fs;
    fs.files[kTarget] = kOld;
    EXPECT_TRUE(replaceFile(fs, kTarget, kNew));
    EXPECT_EQ(fs.files[kTarget], kNew);
    EXPECT_EQ(fs.steps, (std::vector<std::string>{"create", "write", "move"}));
    EXPECT_EQ(fs.files.size(), 1u) << "no temporary file is left";
}

TEST(AtomicReplace, ACrashAtAnyStepLeavesTheOldOrTheNewFileNeverAMix) {
    for (const bool existed : {true, false}) {
        for (int step = 0; step <= kWriteSteps; ++step) {
            MemoryFilePort fs;
            if (existed) fs.files[kTarget] = kOld;
            fs.crashAtStep = step;
            bool crashed = false;
            try {
                replaceFile(fs, kTarget, kNew);
            } catch (const SimulatedCrash&) {
                crashed = true;
            }
            EXPECT_EQ(crashed, step < kWriteSteps);
            const auto it = fs.files.find(kTarget);
            if (step < kWriteSteps) {
                // Not yet moved: the target is exactly what it was.
                if (existed) {
                    ASSERT_NE(it, fs.files.end()) << "step " << step;
                    EXPECT_EQ(it->second, kOld) << "step " << step;
                } else {
                    EXPECT_EQ(it, fs.files.end()) << "step " << step;
                }
            } else {
                ASSERT_NE(it, fs.files.end());
                EXPECT_EQ(it->second, kNew);
            }
        }
    }
}

TEST(AtomicReplace, AFailureAtAnyStepKeepsTheOldFileAndCleansUp) {
    for (int step = 0; step < kWriteSteps; ++step) {
        MemoryFilePort fs;
        fs.files[kTarget] = kOld;
        fs.failAtStep = step;
        EXPECT_FALSE(replaceFile(fs, kTarget, kNew)) << "step " << step;
        EXPECT_EQ(fs.files[kTarget], kOld) << "step " << step;
        EXPECT_EQ(fs.files.size(), 1u) << "step " << step << ": temporary file left behind";
    }
}

TEST(AtomicReplace, AnEmptyNewContentIsWrittenWholeToo) {
    MemoryFilePort fs;
    fs.files[kTarget] = kOld;
    EXPECT_TRUE(replaceFile(fs, kTarget, {}));
    EXPECT_TRUE(fs.files[kTarget].empty());
}

}  // namespace
}  // namespace vela
