// The file system both simulated peers keep for an NE: a copy takes its time and then leaves its file, a copy that
// cannot be done ends at once with the state that says why, the protected file stays, and a format empties one
// partition.

#include "sim/seed/ne_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

bool Has(const CNeFileSystem& fs, uint16_t partition, const std::string& name)
{
    return std::any_of(fs.Files().begin(), fs.Files().end(),
                       [&](const NeFsFileRecord& file) { return file.partition == partition && file.name == name; });
}

struct CopyCase {
    const char* name;
    bool slave;
    NeFsCopyRecord copy;
    uint32_t finalState;
};

TEST(SimNeFileSystem, ACopyEndsInTheStateThatSaysWhy)
{
    const CopyCase cases[] = {
        {"to the other partition", false, {1, "ipd-2.4.1.bin", 2, "copy.bin", kNeFsMasterModule, 0}, kNeFsCopyDone},
        {"to the slave of an NE that has one",
         true,
         {1, "ipd-2.4.1.bin", 1, "copy.bin", kNeFsSlaveModule, 0},
         kNeFsCopyDone},
        {"to a slave the NE lacks",
         false,
         {1, "ipd-2.4.1.bin", 2, "copy.bin", kNeFsSlaveModule, 0},
         kNeFsCopyCannotTransfer},
        {"onto itself", false, {1, "ipd-2.4.1.bin", 1, "ipd-2.4.1.bin", kNeFsMasterModule, 0}, kNeFsCopyCannotCopy},
        {"under no name", false, {1, "ipd-2.4.1.bin", 2, "", kNeFsMasterModule, 0}, kNeFsCopyCannotCopy},
        {"of a file not there", false, {1, "gone.bin", 2, "copy.bin", kNeFsMasterModule, 0}, kNeFsCopyNoSourceFile},
        {"of a configuration", false, {3, "startup.cfg", 2, "copy.bin", kNeFsMasterModule, 0}, kNeFsCopyInternalError},
    };
    for (const CopyCase& test : cases) {
        SCOPED_TRACE(test.name);
        CNeFileSystem fs;
        fs.SetSlaveModule(test.slave);
        std::string why;
        ASSERT_TRUE(fs.StartCopy(test.copy, 10000, &why)) << why;
        const bool done = test.finalState == kNeFsCopyDone;
        EXPECT_EQ(fs.CopyState(10000).state, done ? kNeFsCopyInProgress : test.finalState);
        EXPECT_EQ(fs.CopyState(20000).state, test.finalState);
        // The master's copy shows in the list once it has ended; the slave's files are its own.
        EXPECT_EQ(Has(fs, static_cast<uint16_t>(test.copy.destPartition), "copy.bin"),
                  done && test.copy.destModule == kNeFsMasterModule);
    }
}

TEST(SimNeFileSystem, OneCopyAtATime)
{
    CNeFileSystem fs;
    std::string why;
    ASSERT_TRUE(fs.StartCopy({1, "ipd-2.4.1.bin", 2, "a.bin", kNeFsMasterModule, 0}, 0, &why));
    EXPECT_FALSE(fs.StartCopy({1, "ipd-2.4.1.bin", 2, "b.bin", kNeFsMasterModule, 0}, 500, &why));
    EXPECT_EQ(why, "A copy is in progress");
    // 6 MB at 4 MB a second.
    EXPECT_EQ(fs.CopyState(1499).state, kNeFsCopyInProgress);
    EXPECT_EQ(fs.CopyState(1500).state, kNeFsCopyDone);
    EXPECT_TRUE(fs.StartCopy({1, "ipd-2.4.1.bin", 2, "b.bin", kNeFsMasterModule, 0}, 1500, &why));
}

TEST(SimNeFileSystem, TheProtectedFileOutlivesDeletesAndFormats)
{
    CNeFileSystem fs;
    std::string why;
    EXPECT_FALSE(fs.Delete(3, "mac.cfg", &why));
    EXPECT_FALSE(fs.Delete(3, "gone.cfg", &why));
    EXPECT_TRUE(fs.Delete(3, "startup.cfg", &why));
    EXPECT_FALSE(Has(fs, 3, "startup.cfg"));
    EXPECT_FALSE(fs.Format(4, &why));
    EXPECT_TRUE(fs.Format(3, &why));
    EXPECT_TRUE(Has(fs, 3, "mac.cfg"));
    EXPECT_TRUE(fs.Format(1, &why));
    EXPECT_FALSE(Has(fs, 1, "ipd-2.4.1.bin"));
    EXPECT_TRUE(Has(fs, 2, "ipd-2.3.7.bin"));
}

} // namespace
