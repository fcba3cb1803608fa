// A process killed at random moments while it saves the state file (through the state
// saver) or a project file: after every kill the file holds one of the two versions it
// was saving, complete, and at most the one temporary file of the interrupted write is
// left, which the next write removes.

#include <gtest/gtest.h>

#include <signal.h>

#include <random>
#include <thread>

#include "store/file_io.h"
#include "store/project_file.h"
#include "store/state_saver.h"
#include "support/save_versions.h"
#include "support/subprocess.h"
#include "support/temp_dir.h"

namespace kov::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kKills = 200;

int TemporaryCount(const fs::path& folder, const std::string& target) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += IsTemporaryNameOf(entry.path().filename().string(), target);
    return count;
}

std::string VersionBytes(int version) {
    CardRecords records;
    LoadFullRackRecords(records);
    ApplySaveVersion(records, version);
    return ProjectFileBytes(records.Snapshot());
}

class CrashSafetyTest : public testing::TestWithParam<const char*> {};

TEST_P(CrashSafetyTest, KilledWhileSavingLeavesACompleteVersionAndNoPileOfTemporaries) {
    const std::string mode = GetParam();
    const std::string name = mode == "state" ? kStateFileName : "wall.scpx";
    // A kill tests the order of write and rename, not the flush to the disk; in memory the
    // 200 rounds take a few seconds instead of waiting for the disk each time.
    TempDir dir(fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path());
    const fs::path file = dir / name;
    const std::string versions[] = {VersionBytes(0), VersionBytes(1)};
    ASSERT_NE(versions[0], versions[1]);
    ASSERT_TRUE(WriteFileAtomically(file, versions[1]));

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
    int leftBehind = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        Background saver(KOV_SAVE_LOOP_BIN, {mode, file.string()});
        std::string line;
        ASSERT_TRUE(saver.ReadLine(line, 10s) && line == "saving") << line;
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        saver.Stop(SIGKILL);

        const std::string bytes = dir.Read(name);
        ASSERT_TRUE(bytes == versions[0] || bytes == versions[1])
            << "kill " << kill << ": " << bytes.size() << " bytes, not a version";
        const int temporaries = TemporaryCount(dir.Path(), name);
        ASSERT_LE(temporaries, 1) << "kill " << kill;
        leftBehind += temporaries;
    }
    // The next write clears what the last kill left.
    ASSERT_TRUE(WriteFileAtomically(file, versions[0]));
    EXPECT_EQ(TemporaryCount(dir.Path(), name), 0);
    std::cout << "[          ] " << mode << ": " << leftBehind << " of " << kKills
              << " kills interrupted a write\n";
}

INSTANTIATE_TEST_SUITE_P(StateAndProjectFiles, CrashSafetyTest,
                         testing::Values("state", "project"));

}  // namespace
}  // namespace kov::test
