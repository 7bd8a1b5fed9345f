// No secret reaches PDU.log or the PDU log window: every record of the catalogue with a secret field (passwords, their
// digests, communities) is sent and received through the log with each of its secret texts at full width, and not one
// of their characters shows, while the rest of the record does. The secrets named here are this test's own list, so a
// field that loses its mark fails it; and a field named like a secret in any record must carry the mark, so a new
// record cannot forget it.
#include "link/driver_logs.h"
#include "link/headless_link_ui.h"
#include "link/pdu_log.h"
#include "link/records/logon_rec.h"
#include "link/records/request_catalogue.h"
#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

// The record fields that hold a secret, as "Record.field".
const std::set<std::string> kSecretFields = {
    "LogonRec.passwordDigest",      "UserAccountRecord.passwordDigest", "NeKeyRecord.ftpPassword",
    "NeKeyRecord.snmpCommunity",    "NeFwUpgradeRecord.loginPassword",  "DiscoveryRangeRec.community",
    "ServerOptionRecord.community", "NeSnmpCommunityRecord.community",  "NeSnmpManagerRecord.trapCommunity",
    "NeUserAccountRecord.password", "RemoteNeRecord.community",         "RemoteNeRecord.loginPassword",
};

// Words in a field's name that make it a secret.
bool NamedLikeASecret(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* word : {"password", "passwd", "digest", "community", "secret"}) {
        if (lower.find(word) != std::string::npos)
            return true;
    }
    return false;
}

// What a code carries as the logs see it: the catalogue's records, and the logon record, which the driver puts in a
// logon the catalogue sends without one.
struct CodeRecords {
    std::vector<uint16_t> codes;
    std::vector<const RecordLayout*> layouts;
};

std::vector<CodeRecords> CatalogueRecords()
{
    std::vector<CodeRecords> all;
    for (const RequestSpec& spec : RequestCatalogue()) {
        CodeRecords entry;
        for (const uint16_t code : {spec.code, spec.addCode, spec.deleteCode, spec.deleteAllCode}) {
            if (code != 0)
                entry.codes.push_back(code);
        }
        for (const RecordLayout* layout : {spec.record, spec.replyRecord, spec.direct.record}) {
            if (layout != nullptr)
                entry.layouts.push_back(layout);
        }
        all.push_back(entry);
    }
    all.push_back({{kReqLogon}, {&kRecordLayout<LogonRec>}});
    return all;
}

// Every record the catalogue names, with the records inside them.
std::vector<const RecordLayout*> CatalogueLayouts()
{
    std::vector<const RecordLayout*> layouts;
    const auto add = [&](const RecordLayout* layout, const auto& self) -> void {
        if (layout == nullptr || std::find(layouts.begin(), layouts.end(), layout) != layouts.end())
            return;
        layouts.push_back(layout);
        for (const RecordField& field : layout->fields)
            self(field.nested, self);
    };
    for (const CodeRecords& entry : CatalogueRecords()) {
        for (const RecordLayout* layout : entry.layouts)
            add(layout, add);
    }
    return layouts;
}

// A secret text of the field's full width: letters no other field of the sample holds.
std::string SecretText(size_t width, size_t serial)
{
    std::string text(width - 1, 'Q');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('Q' + (serial + i) % 8);
    return text;
}

// The record's bytes with every secret text field filled (records inside it too), and its first plain text field
// holding `plain`.
void FillSample(const RecordLayout& layout, uint8_t* out, std::vector<std::string>& secrets, const std::string& plain,
                bool& plainPut)
{
    for (const RecordField& field : layout.fields) {
        if (field.nested != nullptr) {
            FillSample(*field.nested, out + field.offset, secrets, plain, plainPut);
        } else if (field.type == FieldType::kText && field.secret) {
            const std::string text = SecretText(field.width, secrets.size());
            std::copy(text.begin(), text.end(), out + field.offset);
            secrets.push_back(text);
        } else if (field.type == FieldType::kText && !plainPut && field.width > plain.size()) {
            std::copy(plain.begin(), plain.end(), out + field.offset);
            plainPut = true;
        }
    }
}

// The printable column of the dump lines, joined, so that a text split over two lines is found whole.
std::string DumpedCharacters(const std::vector<std::string>& lines)
{
    constexpr size_t kPrintableColumn = 5 + 16 * 3 + 2;
    std::string joined;
    for (const std::string& line : lines) {
        if (line.size() > kPrintableColumn && std::isxdigit(static_cast<unsigned char>(line[0])) && line[4] == ' ')
            joined += line.substr(kPrintableColumn);
    }
    return joined;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

class PduLogSecretsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLinkLogDirectory(temp_.Path().string());
        SetDriverLogSwitches({false, false, false, true});
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

    CTempDir temp_;
    CHeadlessLinkUi ui_;
};

TEST_F(PduLogSecretsTest, EverySecretFieldIsMarkedSecret)
{
    std::set<std::string> marked;
    for (const RecordLayout* layout : CatalogueLayouts()) {
        for (const RecordField& field : layout->fields) {
            const std::string name = std::string(layout->name) + "." + field.name;
            if (field.secret)
                marked.insert(name);
            EXPECT_TRUE(field.secret || !NamedLikeASecret(field.name)) << name << " is named like a secret";
        }
    }
    EXPECT_EQ(marked, kSecretFields);
}

TEST_F(PduLogSecretsTest, NoSecretOfAnyRecordReachesTheLogOrTheWindow)
{
    size_t walked = 0;
    for (const CodeRecords& entry : CatalogueRecords()) {
        for (const RecordLayout* layout : entry.layouts) {
            if (!layout->HasSecrets())
                continue;
            // Two records, each with its secrets, as a reply lists them.
            std::vector<std::string> secrets;
            std::vector<uint8_t> records(2 * layout->size, 0);
            bool plainPut = false;
            FillSample(*layout, records.data(), secrets, "plainname", plainPut);
            plainPut = false;
            FillSample(*layout, records.data() + layout->size, secrets, "plainname", plainPut);
            ASSERT_FALSE(secrets.empty()) << layout->name;
            for (const uint16_t code : entry.codes) {
                for (const PduDirection direction : {PduDirection::Send, PduDirection::Recv, PduDirection::Notify}) {
                    ClearPendingPduLogLines();
                    ui_.Clear();
                    std::filesystem::remove(temp_.Path() / "PDU.log");
                    CloseDriverLogs();
                    EmsMsg msg;
                    msg.operation = direction == PduDirection::Send ? kEmsOpModify : kEmsOpReply;
                    msg.requestCode = code;
                    msg.count = 2;
                    msg.recordSize = layout->size;
                    LogPdu(direction, msg, records.data(), records.size());
                    RefreshPduLogWindow();
                    const std::string file = DumpedCharacters(Lines(ReadText(temp_.Path() / "PDU.log")));
                    const std::string window = DumpedCharacters(ui_.PduLogLines());
                    for (const std::string& secret : secrets) {
                        // Not even a part of it: four characters of a secret in a row would be too many.
                        for (size_t at = 0; at + 4 <= secret.size(); ++at) {
                            EXPECT_EQ(file.find(secret.substr(at, 4)), std::string::npos)
                                << layout->name << " code " << code << " in PDU.log";
                            EXPECT_EQ(window.find(secret.substr(at, 4)), std::string::npos)
                                << layout->name << " code " << code << " in the window";
                        }
                    }
                    EXPECT_NE(file.find(std::string(secrets.front().size(), '*')), std::string::npos)
                        << layout->name << " code " << code;
                    if (plainPut) {
                        EXPECT_NE(file.find("plainname"), std::string::npos) << layout->name << ": the rest shows";
                    }
                    ++walked;
                }
            }
        }
    }
    // The server's accounts and logon, the NE records, and the NE's own accounts and communities at least.
    EXPECT_GE(walked, 3u * 12u);
}

} // namespace
