#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "convert/DataDirectory.h"
#include "support/TestSupport.h"

namespace convertor {
namespace {

namespace fs = std::filesystem;

// Sets or unsets an environment variable for one test and puts it back afterwards.
class EnvVar {
public:
    EnvVar(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~EnvVar() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

struct Case {
    const char* name;
    bool writable;
    const char* xdg;       // XDG_DATA_HOME below the temp dir; nullptr: unset; "rel": a relative path
    const char* userIni;   // a per-user Default.ini already there; nullptr: none
    const char* expected;  // the folder chosen, below the temp dir
};

const Case kCases[] = {
    {"writable folder used in place", true, "xdg", nullptr, "home/Data"},
    {"read-only folder copied to XDG_DATA_HOME", false, "xdg", nullptr, "xdg/convertor/Data"},
    {"user copy kept", false, "xdg", "[ReFormat]\nDefault=MCL\n", "xdg/convertor/Data"},
    {"XDG_DATA_HOME unset", false, nullptr, nullptr, "user/.local/share/convertor/Data"},
    {"relative XDG_DATA_HOME ignored", false, "rel", nullptr, "user/.local/share/convertor/Data"},
};

TEST(DataDirectoryTest, ChoosesAndFillsTheFolderOfTheTables) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        fs::create_directories(dir / "home/Data/sub");
        test::writeFile(dir / "home/Data/Default.ini", "delivered ini");
        test::writeFile(dir / "home/Data/zvb.db", "delivered db");
        test::writeFile(dir / "home/Data/sub/extra", "extra");
        fs::permissions(dir / "home/Data/zvb.db", fs::perms::owner_read | fs::perms::group_read);
        std::optional<std::string> xdg;
        if (c.xdg) {
            xdg = std::string(c.xdg) == "rel" ? std::string("relative/share") : (dir / c.xdg).string();
        }
        EnvVar xdgVar("XDG_DATA_HOME", xdg);
        EnvVar homeVar("HOME", (dir / "user").string());
        fs::path expected = dir / c.expected;
        if (c.userIni) {
            fs::create_directories(expected);
            test::writeFile(expected / "Default.ini", c.userIni);
        }

        ASSERT_EQ(dataDirectory(dir / "home", c.writable), expected);
        if (c.writable) {
            EXPECT_FALSE(fs::exists(dir / c.xdg)) << "no per-user copy is made";
            continue;
        }
        EXPECT_EQ(test::readFile(expected / "Default.ini"), c.userIni ? c.userIni : "delivered ini");
        EXPECT_EQ(test::readFile(expected / "zvb.db"), "delivered db");
        EXPECT_NE(fs::status(expected / "zvb.db").permissions() & fs::perms::owner_write, fs::perms::none)
            << "the copy of a read-only delivered file can be written";
        EXPECT_EQ(test::readFile(expected / "sub/extra"), "extra");
        int files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(expected)) {
            files += entry.is_regular_file();
        }
        EXPECT_EQ(files, 3) << "no temporary file is left behind";
        // A second start finds the copy and keeps what the user changed in it.
        test::writeFile(expected / "zvb.db", "edited db");
        EXPECT_EQ(dataDirectory(dir / "home", false), expected);
        EXPECT_EQ(test::readFile(expected / "zvb.db"), "edited db");
    }
}

TEST(DataDirectoryTest, MissingFolderOrFailedCopyFallsBackToTheDeliveredFolder) {
    test::TempDir dir;
    EnvVar xdgVar("XDG_DATA_HOME", (dir / "xdg").string());
    EXPECT_EQ(dataDirectory(dir / "nowhere", false), dir / "nowhere/Data");
    EXPECT_FALSE(fs::exists(dir / "xdg"));

    fs::create_directories(dir / "home/Data");
    test::writeFile(dir / "home/Data/zvb.db", "delivered db");
    test::writeFile(dir / "xdg", "a file where the folder should be");
    EXPECT_EQ(dataDirectory(dir / "home", false), dir / "home/Data");
}

// The writability test itself, which root passes everywhere.
TEST(DataDirectoryTest, ReadOnlyFolderIsNotUsedInPlace) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write a read-only folder";
    }
    test::TempDir dir;
    EnvVar xdgVar("XDG_DATA_HOME", (dir / "xdg").string());
    fs::create_directories(dir / "home/Data");
    test::writeFile(dir / "home/Data/zvb.db", "delivered db");
    EXPECT_EQ(dataDirectory(dir / "home"), dir / "home/Data");
    ::chmod((dir / "home/Data/zvb.db").c_str(), 0444);
    EXPECT_EQ(dataDirectory(dir / "home"), dir / "xdg/convertor/Data");
    ::chmod((dir / "home/Data/zvb.db").c_str(), 0644);
}

}  // namespace
}  // namespace convertor
