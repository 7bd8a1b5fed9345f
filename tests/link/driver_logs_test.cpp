#include "link/driver_logs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <regex>
#include <string>

#include "link/headless_link_ui.h"
#include "link/pdu_log.h"
#include "link/records/logon_rec.h"
#include "link/records/user_account_record.h"
#include "link/rotating_log_file.h"
#include "tests/core/temp_file_test.h"

namespace fs = std::filesystem;

namespace {

// The printable column of every dump line, joined: the records' texts as the dump shows them, whatever line they
// straddle.
std::string DumpedCharacters(const std::string& text)
{
    constexpr size_t kPrintableColumn = 5 + 16 * 3 + 2;
    std::string joined;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.size() > kPrintableColumn && std::isxdigit(static_cast<unsigned char>(line[0])) && line[4] == ' ')
            joined += line.substr(kPrintableColumn);
        start = end + 1;
    }
    return joined;
}

class LogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLinkLogDirectory(dir_.string());
        SetDriverLogSwitches({});
        SetLinkUi(&ui_);
        ClearPendingPduLogLines();
        FlushPduLog(1, 0);
    }
    void TearDown() override
    {
        SetDriverLogSwitches({});
        CloseDriverLogs();
        SetLinkLogDirectory("");
        SetLinkUi(nullptr);
    }

    static EmsMsg SampleMsg()
    {
        EmsMsg msg;
        msg.operation = kEmsOpReply;
        msg.neId = 12;
        msg.requestCode = kReqEntityStateChange;
        msg.total = 2;
        msg.count = 2;
        msg.recordSize = 60;
        msg.status = 0;
        msg.sequence = 77;
        return msg;
    }

    CTempDir temp_;
    const fs::path dir_ = temp_.Path();
    CHeadlessLinkUi ui_;
};

TEST_F(LogsTest, SwitchedOffLogsWriteNothing)
{
    WriteDriverLog(DriverLogKind::NetDrv, "step %d", 1);
    WriteDriverLog(DriverLogKind::Comm, "bytes");
    const std::vector<uint8_t> records(120, 1);
    LogPdu(PduDirection::Send, SampleMsg(), records.data(), records.size());
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(LogsTest, EachSwitchOpensItsOwnFiles)
{
    const struct {
        DriverLogSwitches switches;
        std::vector<std::string> files;
    } cases[] = {
        {{true, false, false, false}, {"NetDrv.log", "NetDrvThread.log"}},
        {{false, true, false, false}, {"NetDrvAgent.log"}},
        {{false, false, true, false}, {"NetDrvComm.log"}},
        {{false, false, false, true}, {"PDU.log"}},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        CloseDriverLogs();
        SetDriverLogSwitches(c.switches);
        for (DriverLogKind kind : {DriverLogKind::NetDrv, DriverLogKind::Agent, DriverLogKind::Thread,
                                   DriverLogKind::Comm, DriverLogKind::Pdu}) {
            WriteDriverLog(kind, "entry");
        }
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        std::vector<std::string> expected = c.files;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected);
    }
}

TEST_F(LogsTest, LinesStartWithTheLocalTime)
{
    SetDriverLogSwitches({true, false, false, false});
    WriteDriverLog(DriverLogKind::NetDrv, "EmsConnect %s -> %d", "127.0.0.1:19460", 0);
    const std::string text = ReadText(dir_ / "NetDrv.log");
    EXPECT_TRUE(std::regex_match(
        text, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} EmsConnect 127\.0\.0\.1:19460 -> 0\n)")))
        << text;
}

TEST_F(LogsTest, PduHeaderLineAndDumpAreReadable)
{
    EXPECT_EQ(FormatPduHeaderLine("2024-01-02 03:04:05.006", PduDirection::Notify, SampleMsg()),
              "2024-01-02 03:04:05.006 NOTIFY op=4 ne=12 code=330 total=2 count=2 size=60 status=0 seq=77");
    const std::string text = "Hello, PDU log!\x01\xff";
    const auto lines = FormatPduDump(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 1000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "0000  48 65 6c 6c 6f 2c 20 50 44 55 20 6c 6f 67 21 01  Hello, PDU log!.");
    EXPECT_EQ(lines[1], "0010  ff                                               .");
    EXPECT_EQ(FormatPduDump(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 16).size(), 1u);
}

TEST_F(LogsTest, PduLogFileHasEveryByteAndTheWindowTheFirst256)
{
    SetDriverLogSwitches({false, false, false, true});
    const std::vector<uint8_t> records(1000, 0x41);
    LogPdu(PduDirection::Recv, SampleMsg(), records.data(), records.size());
    const std::string text = ReadText(dir_ / "PDU.log");
    EXPECT_NE(text.find(" RECV op=4 ne=12 code=330"), std::string::npos);
    const std::string lastLine = "\n03e0  41 41 41 41 41 41 41 41" + std::string(8 * 3 + 2, ' ') + "AAAAAAAA\n";
    EXPECT_NE(text.find(lastLine), std::string::npos) << "the last 8 of 1000 bytes";
    EXPECT_EQ(PendingPduLogLineCount(), 1u + 256u / 16u);
}

TEST_F(LogsTest, APduTimedByItsRequestsStartShowsTheWallClockTimeOfThatStart)
{
    SetDriverLogSwitches({false, false, false, true});
    const std::vector<uint8_t> records(4, 0x41);
    // A start long enough ago that the time of the logging itself cannot pass for it.
    const auto started = std::chrono::steady_clock::now() - std::chrono::hours(1);
    const auto expected = std::chrono::system_clock::now() - std::chrono::hours(1);
    LogPdu(PduDirection::Send, SampleMsg(), records.data(), records.size(), started);
    const auto shown = WallTimeOf(started);
    EXPECT_LT(shown > expected ? shown - expected : expected - shown, std::chrono::milliseconds(100));
    const std::string text = ReadText(dir_ / "PDU.log");
    EXPECT_EQ(text.rfind(FormatLogTimestamp(shown) + " SEND op=4", 0), 0u) << text;
    FlushPduLog(0, 1);
    ASSERT_FALSE(ui_.PduLogLines().empty());
    EXPECT_EQ(ui_.PduLogLines()[0].rfind(FormatLogTimestamp(shown) + " SEND", 0), 0u) << ui_.PduLogLines()[0];
}

TEST_F(LogsTest, PasswordDigestsNeverReachTheLogs)
{
    // A logon and a reply of two accounts: each digest stands for a password at the server.
    SetDriverLogSwitches({false, false, false, true});
    LogonRec logon;
    logon.userName = "admin";
    logon.passwordDigest = "21232f297a";
    const auto logonBytes = EncodeRecord(logon);
    EmsMsg logonMsg = SampleMsg();
    logonMsg.operation = kEmsOpModify;
    logonMsg.requestCode = kReqLogon;
    logonMsg.count = 1;
    logonMsg.recordSize = kLogonRecSize;
    LogPdu(PduDirection::Send, logonMsg, logonBytes.data(), logonBytes.size());

    UserAccountRecord first;
    first.name = "shift";
    first.passwordDigest = "9a3b5c7d1e";
    first.fullName = "Shift Manager";
    UserAccountRecord second = first;
    second.name = "north";
    second.passwordDigest = "0f1e2d3c4b";
    const std::vector<uint8_t> accounts = EncodeRecords(std::vector<UserAccountRecord>{first, second});
    EmsMsg accountMsg = SampleMsg();
    accountMsg.requestCode = kReqUserAccount;
    accountMsg.count = 2;
    accountMsg.recordSize = kUserAccountRecordSize;
    LogPdu(PduDirection::Recv, accountMsg, accounts.data(), accounts.size());
    RefreshPduLogWindow();

    std::string window;
    for (const std::string& line : ui_.PduLogLines())
        window += line + "\n";
    for (const std::string& text : {DumpedCharacters(ReadText(dir_ / "PDU.log")), DumpedCharacters(window)}) {
        for (const char* digest : {"21232f297a", "9a3b5c7d1e", "0f1e2d3c4b"})
            EXPECT_EQ(text.find(digest), std::string::npos) << digest;
        EXPECT_NE(text.find("**********"), std::string::npos);
        EXPECT_NE(text.find("Shift Manager"), std::string::npos) << "the rest of the record is dumped";
        EXPECT_NE(text.find("north"), std::string::npos);
    }
    // The records themselves are not touched.
    EXPECT_EQ(accounts[11], '9');
}

TEST(RotatingLogFile, BackupReplacesTheOlderOne)
{
    const CTempDir temp;
    const fs::path& dir = temp.Path();
    {
        CRotatingLogFile log("NetDrvComm.log", 10);
        log.SetDirectory(dir.string());
        EXPECT_EQ(log.BackupPath(), (dir / "NetDrvComm.bak").string());
        ASSERT_TRUE(log.Write("first line\n")); // 11 bytes: over the limit from now on
        ASSERT_TRUE(log.Write("second\n"));
        EXPECT_EQ(ReadText(dir / "NetDrvComm.bak"), "first line\n");
        ASSERT_TRUE(log.Write("third\n"));
        ASSERT_TRUE(log.Write("fourth line\n"));
        EXPECT_EQ(ReadText(dir / "NetDrvComm.bak"), "second\nthird\n");
        EXPECT_EQ(ReadText(dir / "NetDrvComm.log"), "fourth line\n");
    }
    {
        // An existing file keeps growing from its size on disk.
        CRotatingLogFile log("NetDrvComm.log", 12);
        log.SetDirectory(dir.string());
        ASSERT_TRUE(log.Write("x\n"));
        ASSERT_TRUE(log.Write("y\n"));
        EXPECT_EQ(ReadText(dir / "NetDrvComm.bak"), "fourth line\nx\n");
    }
}

// PDU.log goes to PDU.bak past 102400 bytes; each driver log to its backup past 20 MiB. At its limit a log stays.
TEST_F(LogsTest, EachLogMovesToItsBackupOnlyPastItsOwnLimit)
{
    const struct {
        DriverLogKind kind;
        DriverLogSwitches switches;
        const char* file;
        const char* backup;
        size_t limit;
    } cases[] = {
        {DriverLogKind::Pdu, {false, false, false, true}, "PDU.log", "PDU.bak", 102400},
        {DriverLogKind::NetDrv, {true, false, false, false}, "NetDrv.log", "NetDrv.bak", 20 * 1024 * 1024},
        {DriverLogKind::Thread, {true, false, false, false}, "NetDrvThread.log", "NetDrvThread.bak", 20 * 1024 * 1024},
        {DriverLogKind::Agent, {false, true, false, false}, "NetDrvAgent.log", "NetDrvAgent.bak", 20 * 1024 * 1024},
        {DriverLogKind::Comm, {false, false, true, false}, "NetDrvComm.log", "NetDrvComm.bak", 20 * 1024 * 1024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SetDriverLogSwitches(c.switches);
        WriteDriverLogText(c.kind, std::string(c.limit, 'x'));
        WriteDriverLogText(c.kind, "a\n");
        EXPECT_FALSE(fs::exists(dir_ / c.backup)) << "at its limit";
        WriteDriverLogText(c.kind, "b\n");
        ASSERT_TRUE(fs::exists(dir_ / c.backup)) << "one past its limit";
        EXPECT_EQ(fs::file_size(dir_ / c.backup), c.limit + 2);
        EXPECT_EQ(ReadText(dir_ / c.file), "b\n");
        CloseDriverLogs();
        fs::remove(dir_ / c.backup);
        fs::remove(dir_ / c.file);
    }
}

TEST(RotatingLogFile, UnwritableFolderIsReportedNotFatal)
{
    CRotatingLogFile log("NetDrv.log", 100);
    log.SetDirectory("/nonexistent-folder-for-tarvik");
    EXPECT_FALSE(log.Write("line\n"));
}

TEST_F(LogsTest, HoldKeepsTheWindowUntilReleased)
{
    const std::vector<uint8_t> records(16, 0);
    LogPdu(PduDirection::Send, SampleMsg(), records.data(), records.size());
    RefreshPduLogWindow();
    EXPECT_EQ(ui_.PduLogLines().size(), 2u);

    LogPdu(PduDirection::Recv, SampleMsg(), records.data(), records.size());
    FlushPduLog(0, 1); // hold: what is gathered so far goes out now
    EXPECT_EQ(ui_.PduLogLines().size(), 4u);
    EXPECT_EQ(GetPduLogFlag(), 0);

    LogPdu(PduDirection::Send, SampleMsg(), records.data(), records.size());
    RefreshPduLogWindow();
    EXPECT_EQ(ui_.PduLogLines().size(), 4u) << "held";

    FlushPduLog(1, 1); // release
    RefreshPduLogWindow();
    EXPECT_EQ(ui_.PduLogLines().size(), 6u);
    EXPECT_NE(ui_.PduLogLines()[4].find(" SEND "), std::string::npos);
}

TEST_F(LogsTest, GatheredLinesKeepTheLatest2000)
{
    const std::vector<uint8_t> records(16, 0);
    for (int i = 0; i < 1500; ++i) {
        LogPdu(PduDirection::Send, SampleMsg(), records.data(), records.size());
    }
    EXPECT_EQ(PendingPduLogLineCount(), 2000u);
}

// The window is a bound over many more PDUs than it shows: after a long run of requests of every size, the lines it
// gets are the latest PDUs', each with its own bytes, whatever the earlier ones left behind them.
TEST_F(LogsTest, WindowShowsTheLatestPdusWithTheirOwnBytesAfterALongRun)
{
    auto recordsOf = [](uint32_t sequence) {
        std::vector<uint8_t> records(sequence % 300);
        for (size_t i = 0; i < records.size(); ++i)
            records[i] = static_cast<uint8_t>(sequence * 7 + i);
        return records;
    };
    constexpr uint32_t kPdus = 20000;
    for (uint32_t sequence = 1; sequence <= kPdus; ++sequence) {
        EmsMsg msg = SampleMsg();
        msg.sequence = sequence;
        const std::vector<uint8_t> records = recordsOf(sequence);
        LogPdu(sequence % 2 == 0 ? PduDirection::Send : PduDirection::Recv, msg, records.data(), records.size());
    }
    RefreshPduLogWindow();
    const std::vector<std::string>& lines = ui_.PduLogLines();
    ASSERT_EQ(lines.size(), kPduWindowMaxLines);
    // From the newest PDU back, as long as whole PDUs fill the window.
    size_t end = lines.size();
    uint32_t sequence = kPdus;
    for (; sequence > 0; --sequence) {
        const std::vector<uint8_t> records = recordsOf(sequence);
        const std::vector<std::string> dump = FormatPduDump(records.data(), records.size(), kPduWindowDumpBytes);
        if (end < dump.size() + 1)
            break;
        const size_t header = end - dump.size() - 1;
        ASSERT_NE(lines[header].find(" seq=" + std::to_string(sequence)), std::string::npos) << lines[header];
        ASSERT_NE(lines[header].find(sequence % 2 == 0 ? " SEND " : " RECV "), std::string::npos) << lines[header];
        for (size_t i = 0; i < dump.size(); ++i)
            ASSERT_EQ(lines[header + 1 + i], dump[i]) << "PDU " << sequence << ", dump line " << i;
        end = header;
    }
    EXPECT_LT(sequence, kPdus - 100) << "the window holds the lines of many PDUs";
}

} // namespace
