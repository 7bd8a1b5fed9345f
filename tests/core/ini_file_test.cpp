#include "core/ini/ini_file.h"
#include "core/ini/ini_writer.h"

#include "temp_file_test.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

class IniFileTest : public TempFileTest {
protected:
    IniFileTest() : TempFileTest("ini_test_", "Tarvik.ini") {}
};

TEST(IniParse, NamesIgnoreCaseValuesAreTrimmedAndUnquoted)
{
    auto ini = CIniFile::Parse("[Link]\r\n  ServerPort =  19460  \r\nNAME=\"  quoted \"\r\nsingle='x'\r\n");
    ASSERT_NE(ini.Find("LINK", "SERVERPORT"), nullptr);
    EXPECT_EQ(*ini.Find("LINK", "SERVERPORT"), "19460");
    EXPECT_EQ(*ini.Find("link", "name"), "  quoted ");
    EXPECT_EQ(*ini.Find("link", "single"), "x");
    EXPECT_TRUE(ini.Faults().empty());
}

TEST(IniParse, FirstOfRepeatedKeysWinsAndRepeatedSectionsJoin)
{
    auto ini = CIniFile::Parse("[A]\nk=1\nk=2\n[B]\nx=1\n[a]\nm=3\nk=4\n");
    EXPECT_EQ(*ini.Find("A", "k"), "1");
    EXPECT_EQ(*ini.Find("A", "m"), "3");
    EXPECT_EQ(ini.Sections().size(), 2u);
}

// Each header line is kept with the section it opens or continues, as written; each section keeps its entries in
// file order wherever its headers are.
TEST(IniParse, HeaderLinesAndTheEntriesOfInterleavedSections)
{
    auto ini = CIniFile::Parse("[A]\nk=1\n[ B ]\nx=1\n[a]\nm=3\n[b]\ny=2\nbroken\n[A]\nn=4\n");
    ASSERT_EQ(ini.Sections().size(), 2u);
    const struct {
        int line;
        size_t section;
        const char* name;
    } headers[] = {{1, 0, "A"}, {3, 1, "B"}, {5, 0, "a"}, {7, 1, "b"}, {10, 0, "A"}};
    ASSERT_EQ(ini.Headers().size(), std::size(headers));
    for (size_t i = 0; i < std::size(headers); ++i) {
        EXPECT_EQ(ini.Headers()[i].line, headers[i].line) << i;
        EXPECT_EQ(ini.Headers()[i].section, headers[i].section) << i;
        EXPECT_EQ(ini.Headers()[i].name, headers[i].name) << i;
    }
    std::vector<std::pair<std::string, int>> a, b;
    for (const auto& e : ini.Sections()[0].entries)
        a.emplace_back(e.key, e.line);
    for (const auto& e : ini.Sections()[1].entries)
        b.emplace_back(e.key, e.line);
    EXPECT_EQ(a, (std::vector<std::pair<std::string, int>>{{"k", 2}, {"m", 6}, {"n", 11}}));
    EXPECT_EQ(b, (std::vector<std::pair<std::string, int>>{{"x", 4}, {"y", 8}}));
    ASSERT_EQ(ini.Faults().size(), 1u);
    EXPECT_EQ(ini.Faults()[0].line, 9);
}

TEST_F(IniFileTest, LoadFindsAFileWhoseNameDiffersInCase)
{
    std::filesystem::create_directories(dir_ / "EntConf");
    std::ofstream(dir_ / "EntConf" / "entinfo.DAT") << "[SYSTEM]\nA=1\n";
    auto ini = CIniFile::Load((dir_ / "entconf" / "EntInfo.dat").string());
    ASSERT_TRUE(ini);
    EXPECT_EQ(*ini->Find("SYSTEM", "A"), "1");
}

TEST_F(IniFileTest, WriteChangesOneKeyAndKeepsEveryOtherLine)
{
    Write("; settings\r\n[SYSTEM]\r\nUSERNAME=old\r\n; keep me\r\nOPLOG=1\r\n\r\n[LINK]\r\nSERVERPORT=1\r\n");
    ASSERT_TRUE(WriteIniValue(path_, "system", "username", "admin"));
    EXPECT_EQ(ReadAll(),
              "; settings\r\n[SYSTEM]\r\nusername=admin\r\n; keep me\r\nOPLOG=1\r\n\r\n[LINK]\r\nSERVERPORT=1\r\n");
}

TEST_F(IniFileTest, WriteAddsMissingKeysAndSections)
{
    Write("[SYSTEM]\nOPLOG=1\n\n[LINK]\nSERVERPORT=1\n");
    ASSERT_TRUE(WriteIniEdits(path_, {{"SYSTEM", "USERNAME", "u"}, {"ALARM", "FLASH", "MJ"}}));
    EXPECT_EQ(ReadAll(), "[SYSTEM]\nOPLOG=1\nUSERNAME=u\n\n[LINK]\nSERVERPORT=1\n\n[ALARM]\nFLASH=MJ\n");
}

TEST_F(IniFileTest, WriteRemovesKeys)
{
    Write("[MAP]\nCOUNT=2\nMAP1=a\nMAP2=b\nMAP2=c\n");
    ASSERT_TRUE(WriteIniEdits(path_, {{"MAP", "COUNT", "1"}, {"MAP", "MAP2", std::nullopt}}));
    EXPECT_EQ(ReadAll(), "[MAP]\nCOUNT=1\nMAP1=a\n");
}

TEST_F(IniFileTest, WriteCreatesTheFile)
{
    ASSERT_TRUE(WriteIniValue(path_, "SYSTEM", "OPLOG", "1"));
    EXPECT_EQ(ReadAll(), "[SYSTEM]\nOPLOG=1\n");
}

TEST_F(IniFileTest, AValueCannotInjectLines)
{
    ASSERT_TRUE(WriteIniValue(path_, "SYSTEM", "USERNAME", "x\r\n[LINK]\nSERVERPORT=1"));
    auto ini = CIniFile::Load(path_);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Find("LINK", "SERVERPORT"), nullptr);
    EXPECT_EQ(ini->Sections().size(), 1u);
}

TEST_F(IniFileTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    Write("[SYSTEM]\nOPLOG=1\n");
    // A file-size limit makes the write fail part-way, even for root.
    EXPECT_EXIT(
        {
            ::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = 16;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::string error;
            bool ok = WriteIniValue(path_, "SYSTEM", "COMPANY", std::string(100, 'x'), &error);
            std::_Exit(!ok && error.find("Tarvik.ini") != std::string::npos ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadAll(), "[SYSTEM]\nOPLOG=1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(IniFileTest, WriteKeepsAByteOrderMarkInFrontOfTheFirstSection)
{
    Write("\xEF\xBB\xBF[SYSTEM]\r\nUSERNAME=old\r\n");
    ASSERT_TRUE(WriteIniValue(path_, "SYSTEM", "USERNAME", "new"));
    EXPECT_EQ(ReadAll(), "\xEF\xBB\xBF[SYSTEM]\r\nUSERNAME=new\r\n");
    EXPECT_EQ(*CIniFile::Load(path_)->Find("SYSTEM", "USERNAME"), "new");
}

TEST_F(IniFileTest, WriteChangesAKeyInARepeatedSectionWhereTheReaderFindsIt)
{
    Write("[A]\nx=1\n\n[B]\ny=1\n\n[a]\nk=old\nk=older\n");
    ASSERT_TRUE(WriteIniValue(path_, "A", "k", "new"));
    EXPECT_EQ(ReadAll(), "[A]\nx=1\n\n[B]\ny=1\n\n[a]\nk=new\n");
    ASSERT_TRUE(WriteIniEdits(path_, {{"A", "k", std::nullopt}, {"A", "z", "2"}}));
    EXPECT_EQ(ReadAll(), "[A]\nx=1\nz=2\n\n[B]\ny=1\n\n[a]\n");
    EXPECT_EQ(CIniFile::Load(path_)->Find("A", "k"), nullptr);
}

TEST_F(IniFileTest, WriteTreatsHeadersAsTheReaderDoes)
{
    // "[B] note" is no header for the reader, so the keys after it still belong to A.
    Write("[A]\nk=1\n[B] note\nm=1\n");
    ASSERT_TRUE(WriteIniValue(path_, "A", "m", "2"));
    EXPECT_EQ(ReadAll(), "[A]\nk=1\n[B] note\nm=2\n");
    EXPECT_EQ(*CIniFile::Load(path_)->Find("A", "m"), "2");
}

// The names in the test's folder.
std::set<std::string> Entries(const std::filesystem::path& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// Runs `work` in a child process; its wait status.
int InChild(const std::function<void()>& work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        std::_Exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

TEST_F(IniFileTest, AWriteKilledPartWayLeavesAScrapThatTheNextReadRemoves)
{
    Write("[SYSTEM]\nOPLOG=1\n");
    // A file-size limit kills the writer while it writes its temporary file.
    const int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_DFL);
        const struct rlimit noCore {
            0, 0
        }, tiny{16, 16};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        WriteIniValue(path_, "SYSTEM", "COMPANY", std::string(100, 'x'));
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    // Files of other names, and a link of ours, stay.
    const std::set<std::string> others = {"Tarvik.ini.backup", "Tarvik.ini.tmp-tarvik-1", "Other.ini.tmp-tarvik-abc123",
                                          "Tarvik.ini.tmp-tarvik-LINK00"};
    for (const std::string& name : others) {
        if (name.find("LINK") != std::string::npos)
            std::filesystem::create_symlink("Tarvik.ini.backup", dir_ / name);
        else
            std::ofstream(dir_ / name) << "x";
    }
    ASSERT_EQ(Entries(dir_).size(), 1 + others.size() + 1) << "the killed write's temporary file";

    ASSERT_TRUE(CIniFile::Load(path_));
    std::set<std::string> expected = others;
    expected.insert("Tarvik.ini");
    EXPECT_EQ(Entries(dir_), expected);
    EXPECT_EQ(ReadAll(), "[SYSTEM]\nOPLOG=1\n");
}

TEST_F(IniFileTest, WritersOfOneFileTakeTurnsAndLoseNoKey)
{
    Write("[SYSTEM]\nOPLOG=1\n");
    constexpr int kWrites = 100;
    std::vector<pid_t> writers;
    for (const char* section : {"FIRST", "SECOND"}) {
        const pid_t child = ::fork();
        if (child == 0) {
            bool ok = true;
            for (int i = 0; i < kWrites; ++i)
                ok = WriteIniValue(path_, section, "KEY" + std::to_string(i), "v") && ok;
            std::_Exit(ok ? 0 : 1);
        }
        writers.push_back(child);
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::optional<CIniFile> ini = CIniFile::Load(path_);
    ASSERT_TRUE(ini);
    int lost = 0;
    for (const char* section : {"FIRST", "SECOND", "SYSTEM"}) {
        for (int i = 0; i < kWrites; ++i)
            lost += ini->Find(section, std::string(section) == "SYSTEM" ? "OPLOG" : "KEY" + std::to_string(i)) ? 0 : 1;
    }
    EXPECT_EQ(lost, 0);
}

TEST_F(IniFileTest, WriteThroughASymbolicLinkChangesItsTarget)
{
    std::filesystem::create_directories(dir_ / "real");
    std::ofstream(dir_ / "real" / "Tarvik.ini") << "[SYSTEM]\nOPLOG=1\n";
    std::filesystem::create_symlink("real/Tarvik.ini", path_);
    ASSERT_TRUE(WriteIniValue(path_, "SYSTEM", "COMPANY", "Acme"));
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(ReadAll(), "[SYSTEM]\nOPLOG=1\nCOMPANY=Acme\n");
}

} // namespace
