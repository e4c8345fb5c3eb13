#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "cli/FaultCliFixture.h"

namespace convertor::test {
namespace {

// The disk filling up at a stage of the run: the run ends with an error, says nothing of success
// and leaves the destination folder exactly as the older run left it.
class DiskFullCliTest : public FaultCliTest {
protected:
    void SetUp() override {
        if (std::system("command -v faketime >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "faketime is not installed";
        }
    }

    // A Direct Credit run on a day the test sources' effective dates allow.
    CliOutcome runDated(const fs::path& source, int fileSizeBlocks = 0) {
        return runCliProcess(directCredit(source), scratch.path(), "2030-01-02 10:00:00", fileSizeBlocks);
    }
};

// Many rejected lines and one accepted: the rejection file outgrows the limit, the bank file not.
TEST_F(DiskFullCliTest, WhileRejectionLinesAreWritten) {
    std::vector<std::string> lines{"H00000000000000SAMPLE TRADING CO LTD           020130" +
                                   std::string("00401")};
    lines.push_back("1234567896000000000000012345Somchai Example" + std::string(45, ' '));
    for (int i = 0; i < 400; ++i) {
        lines.push_back("12345678900000000000000010000Bad Account" + std::string(47, ' '));
    }
    writeFile(scratch / "many.txt", crlfLines(lines));
    ASSERT_EQ(runDated(testData("dcp/eleven.txt")).status, 0);
    auto before = folder();
    expectFailedLeavingNothing(
        runDated(scratch / "many.txt", 16), before,
        "Cannot write file " + (dest / "ACME01_DCP_InvalidAcctRecord.txt").string() + ": File too large");
    EXPECT_EQ(runDated(scratch / "many.txt").status, 0) << "the source itself converts";
}

// A small file system of its own, filled so that the bank and rejection work files fit but the
// archive does not.
TEST_F(DiskFullCliTest, WhileTheArchiveIsPacked) {
    fs::path mount = scratch / "disk";
    fs::create_directories(mount);
    if (::geteuid() != 0 || ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    }
    struct Unmount {
        fs::path at;
        ~Unmount() { ::umount(at.c_str()); }
    } unmount{mount};
    dest = mount;
    ASSERT_EQ(runDated(testData("dcp/eleven.txt")).status, 0);
    auto before = folder();
    // What the second run writes before packing, in whole pages.
    ASSERT_EQ(runDated(testData("dcp/nine.txt")).status, 0);
    auto pages = [](std::size_t bytes) { return (bytes + 4095) / 4096; };
    std::size_t needed = pages(readFile(mount / "bank.txt").size()) +
                         pages(readFile(mount / "ACME01_DCP_CreditZeroAmountRecord.txt").size());
    for (const auto& entry : fs::directory_iterator(mount)) {
        fs::remove(entry.path());
    }
    ASSERT_EQ(runDated(testData("dcp/eleven.txt")).status, 0);
    before = folder();
    struct statvfs disk {};
    ASSERT_EQ(::statvfs(mount.c_str(), &disk), 0);
    std::size_t freePages = disk.f_bavail * disk.f_frsize / 4096;
    ASSERT_GT(freePages, needed);
    writeFile(scratch / "filler", std::string((freePages - needed) * 4096, 'x'));
    fs::copy_file(scratch / "filler", mount / "filler");
    before["filler"] = readFile(mount / "filler");
    expectFailedLeavingNothing(runDated(testData("dcp/nine.txt")), before,
                               "Cannot write archive " + (mount / "2030-01-02ACME01_DCP.zip").string());
    // The detail report, written while the bank file was finished, goes with the failed run.
    std::vector<std::string> detail = directCredit(testData("dcp/nine.txt"));
    detail.insert(detail.end(), {"--print-detail", "--report", (scratch / "report.json").string()});
    expectFailedLeavingNothing(runCliProcess(detail, scratch.path(), "2030-01-02 10:00:00"), before,
                               "Cannot write archive " + (mount / "2030-01-02ACME01_DCP.zip").string());
    EXPECT_FALSE(fs::exists(scratch / "report.json"));
    EXPECT_FALSE(fs::exists(scratch / "report.json.part"));
}

}  // namespace
}  // namespace convertor::test
