#include "core/config/ini_readers.h"
#include "core/config/ini_writers.h"

#include "temp_file_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

class IniWritersTest : public TempFileTest {
  protected:
    IniWritersTest() : TempFileTest("ini_writers_", "Tarvik.ini") {}
};

TEST_F(IniWritersTest, IntegersAndBooleansUseTheirFixedForms)
{
    Write("; keep\n[ALARM]\nFLASHCYCLE=2\n");
    ASSERT_TRUE(WriteIniInt("ALARM", "FLASHCYCLE", 10, path_));
    ASSERT_TRUE(WriteIniInt("ALARM", "TRAPLOGSIZE", 4294967295ul, path_));
    ASSERT_TRUE(WriteIniBool("SYSTEM", "OPLOG", true, path_));
    ASSERT_TRUE(WriteIniBool("SYSTEM", "DIRECTCONTROL", false, path_));
    EXPECT_EQ(ReadAll(),
              "; keep\n[ALARM]\nFLASHCYCLE=10\nTRAPLOGSIZE=4294967295\n\n[SYSTEM]\nOPLOG=1\nDIRECTCONTROL=0\n");
}

TEST_F(IniWritersTest, StringsReadBackAsWritten)
{
    const std::pair<std::string, std::string> rows[] = {
        {"admin", "admin"},           {"", ""},
        {"  padded  ", "  padded  "}, {"\"quoted\"", "\"quoted\""},
        {"'single'", "'single'"},     {"\"half", "\"half"},
        {"a=b;c", "a=b;c"},           {".\\EntConf\\EntInfo.dat", ".\\EntConf\\EntInfo.dat"},
        {"two\nlines", "two lines"}, // a key holds one line
        {"end\r\n", "end  "},
    };
    for (const auto& [value, expected] : rows) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(WriteIniString("SYSTEM", "COMPANY", value, path_));
        EXPECT_EQ(ReadIniString("SYSTEM", "COMPANY", kIniAbsentKey, path_), expected);
        const CIniFile ini = *CIniFile::Load(path_);
        EXPECT_EQ(ini.Sections().size(), 1u);
        EXPECT_TRUE(ini.Faults().empty());
    }
}

TEST_F(IniWritersTest, AFailedWriteSaysWhichFileAndChangesNothing)
{
    const std::string path = (dir_ / "missing" / "Tarvik.ini").string();
    std::string error;
    EXPECT_FALSE(WriteIniString("SYSTEM", "USERNAME", "x", path, &error));
    EXPECT_NE(error.find(path), std::string::npos);
    EXPECT_FALSE(WriteIniInt("LINK", "SERVERPORT", 1, path, &error));
    EXPECT_FALSE(WriteIniBool("SYSTEM", "OPLOG", true, path, &error));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));
}

} // namespace
