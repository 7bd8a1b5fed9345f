// The simulated peers' scenario files read records by their field tables: what a section may give, what each
// refusal says, and the values a section gives as they reach the record.
#include "tests/core/temp_file_test.h"

#include <gtest/gtest.h>

#include "link/records/lacp_port_status_rec.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/online_user_record.h"
#include "link/records/request_codes.h"
#include "sim/ne_agent/ne_agent_scenario.h"
#include "sim/seed/scenario_section.h"
#include "sim/server/sim_scenario.h"

namespace {

class ScenarioSectionTest : public TempFileTest {
protected:
    ScenarioSectionTest() : TempFileTest("tarvik-scenario-", "scenario.ini") {}

    std::string ServerError(const std::string& text)
    {
        Write(text);
        SimScenario scenario;
        std::string error;
        EXPECT_FALSE(LoadSimScenario(path_, &scenario, &error));
        return error;
    }
    std::string AgentError(const std::string& text)
    {
        Write(text);
        NeAgentScenario scenario = DefaultNeAgentScenario();
        std::string error;
        EXPECT_FALSE(LoadNeAgentScenario(path_, &scenario, &error));
        return error;
    }
};

// An NE for the sections that belong to one: lines 1 to 3.
const std::string kNe1 = "[NeKeyRecord.1]\nneId=1\nneName=North-1\n";

TEST_F(ScenarioSectionTest, EachBadValueIsRefusedWithWhereAndWhy)
{
    struct Case {
        const char* what;
        std::string text;
        std::string error; // after "<file>:"
    };
    const Case cases[] = {
        {"a text one byte longer than its field holds", "[LocationRecord.1]\nid=1\nname=ABCDEFGHIJKLMNOPQRSTU\n",
         "3: [LocationRecord.1] name: longer than 20 bytes"},
        {"a text counted in UTF-8 bytes, not characters",
         "[LocationRecord.1]\nname=\xC3\x85lesund-Nord-\xC3\x98stre-\xC3\x85\n",
         "2: [LocationRecord.1] name: longer than 20 bytes"},
        {"a u32 past its range", "[LocationRecord.1]\nid=4294967296\n",
         "2: [LocationRecord.1] id: not a number 0..4294967295"},
        {"a negative u32", "[LocationRecord.1]\nparentId=-1\n",
         "2: [LocationRecord.1] parentId: not a number 0..4294967295"},
        {"a u16 past its range", "[NeKeyRecord.1]\nneId=1\nport=65536\n",
         "3: [NeKeyRecord.1] port: not a number 0..65535"},
        {"a u8 past its range", "[AlarmDefRec.1]\nrequest=145\nalarmIndex=0x100\n",
         "3: [AlarmDefRec.1] alarmIndex: not a number 0..255"},
        {"an i16 past its range", "[NeTimeRecord]\ntimeZone=-32769\n",
         "2: [NeTimeRecord] timeZone: not a number -32768..32767"},
        {"a word for a number", "[NeKeyRecord.1]\nneId=one\n", "2: [NeKeyRecord.1] neId: not a number 0..4294967295"},
        {"a float that is no number", "[NeKeyRecord.1]\nneId=1\nlongitude=east\n",
         "3: [NeKeyRecord.1] longitude: not a number"},
        {"an address of three numbers", "[NeKeyRecord.1]\nneId=1\nipAddress=10.10.1\n",
         "3: [NeKeyRecord.1] ipAddress: not an IPv4 address"},
        {"an address part past 255", "[NeKeyRecord.1]\nneId=1\nsecondIp=10.10.1.256\n",
         "3: [NeKeyRecord.1] secondIp: not an IPv4 address"},
        {"a key that is no field", "[LocationRecord.1]\nid=1\ntitle=HQ\n",
         "3: [LocationRecord.1] title: not a field of LocationRecord"},
        {"reserved bytes, which have no name", "[NeKeyRecord.1]\nneId=1\nreserved=1\n",
         "3: [NeKeyRecord.1] reserved: not a field of NeKeyRecord"},
        {"bytes that are no pairs of hexadecimal digits", "[AlarmDefRec.1]\nrequest=145\npadding=0\n",
         "3: [AlarmDefRec.1] padding: not at most 3 hexadecimal bytes (00:10:a4 ...)"},
        {"more bytes than the field holds", "[AlarmDefRec.1]\nrequest=145\npadding=01:02:03:04\n",
         "3: [AlarmDefRec.1] padding: not at most 3 hexadecimal bytes (00:10:a4 ...)"},
        {"a password and its digest", "[UserAccountRecord.1]\nname=ops\npassword=a\npasswordDigest=b\n",
         "3: [UserAccountRecord.1] password: given with passwordDigest"},
        {"a name the catalogue does not know", "[LOCATION1]\nID=1\n", "1: [LOCATION1]: unknown section"},
        {"a record the server answers from its own tables", "[EntityStateRec.1]\nentityId=1\n",
         "1: [EntityStateRec.1]: the server keeps EntityStateRec records itself, not from a scenario"},
        {"a server record given to an NE", kNe1 + "[NE1.LocationRecord.1]\nid=1\n",
         "4: [NE1.LocationRecord.1]: LocationRecord records belong to the server, not to an NE"},
        {"an NE the file does not have", kNe1 + "[NE2.AlarmTriggerRec.1]\nneId=2\n",
         "4: [NE2.AlarmTriggerRec.1]: names NE2, which has no NeKeyRecord section"},
        {"a board's text past its field", kNe1 + "[NE1.BOARD1]\nSLOT=10100\nSOFTWARE=ALC24-2.1.0-20240101-rc\n",
         "6: [NE1.BOARD1] SOFTWARE: longer than 20 bytes"},
        {"a record of two families without its request", "[BackupRecord.1]\nname=nightly\n",
         "1: [BackupRecord.1]: BackupRecord is the record of requests 41, 45: name one with request="},
        {"a request of another family than the record's", "[BackupRecord.1]\nname=nightly\nrequest=20\n",
         "3: [BackupRecord.1] request: BackupRecord is the record of requests 41, 45: name one with request="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ServerError(c.text), path_ + ":" + c.error);
    }
}

TEST_F(ScenarioSectionTest, TheNeAgentRefusesAsTheServerDoes)
{
    struct Case {
        const char* what;
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"a community one byte longer than its field holds",
         "[NeSnmpCommunityRecord.1]\ncommunity=abcdefghijklmnopqrstuvwx\n",
         "2: [NeSnmpCommunityRecord.1] community: longer than 23 bytes"},
        {"a word for a number", "[NeUserAccountRecord.1]\nuserName=su\nrole=admin\n",
         "3: [NeUserAccountRecord.1] role: not a number 0..4294967295"},
        {"a key that is no field", "[BoardSettingRec.1]\nentityId=10100\nSLOT=10100\n",
         "3: [BoardSettingRec.1] SLOT: not a field of BoardSettingRec"},
        {"a record the NE does not keep", "[LocationRecord.1]\nid=1\n",
         "1: [LocationRecord.1]: the NE keeps no LocationRecord records"},
        {"a section of another NE", "[NE1.NeSnmpCommunityRecord.1]\ncommunity=ops\n",
         "1: [NE1.NeSnmpCommunityRecord.1]: unknown section"},
        {"a name the catalogue does not know", "[COMMUNITY1]\nNAME=public\n", "1: [COMMUNITY1]: unknown section"},
        {"a setting of the NE out of its range", "[AGENT]\nTIMEZONE=14\n", "2: [AGENT] TIMEZONE: not a number -12..13"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AgentError(c.text), path_ + ":" + c.error);
    }
}

TEST_F(ScenarioSectionTest, ARecordInsideTheRecordIsNotGiven)
{
    Write("[OnlineUserRecord.1]\naccount=admin\n");
    const std::optional<CIniFile> ini = CIniFile::Load(path_);
    ASSERT_TRUE(ini);
    CScenarioSection section(*ini, ini->Sections().front(), path_);
    section.Record(kRecordLayout<OnlineUserRecord>);
    EXPECT_EQ(
        section.Error(),
        path_ +
            ":2: [OnlineUserRecord.1] account: a record inside the record: its fields are given as account.<field>");
}

TEST_F(ScenarioSectionTest, AFieldOfARecordInsideTheRecordIsNamedAfterIt)
{
    Write("[LacpPortStatusRec.1]\naggregatorIfIndex=6001\nactor.portId=2\npartner.systemId=00:1c:7e:3a:10:00\n"
          "partnerState=0x3f\n");
    const std::optional<CIniFile> ini = CIniFile::Load(path_);
    ASSERT_TRUE(ini);
    CScenarioSection section(*ini, ini->Sections().front(), path_);
    const std::vector<uint8_t> bytes = section.Record(kRecordLayout<LacpPortStatusRec>);
    ASSERT_TRUE(section.Ok()) << section.Error();
    LacpPortStatusRec rec;
    ASSERT_TRUE(DecodeRecord(bytes.data(), bytes.size(), &rec));
    EXPECT_EQ(rec.aggregatorIfIndex, 6001u);
    EXPECT_EQ(rec.actor.portId, 2u);
    EXPECT_EQ(rec.partner.systemId, (std::array<uint8_t, 6>{0x00, 0x1c, 0x7e, 0x3a, 0x10, 0x00}));
    EXPECT_EQ(rec.partner.portId, 0u);
    EXPECT_EQ(rec.partnerState, 0x3f);

    Write("[LacpPortStatusRec.1]\nactor.aggregatorIfIndex=1\n");
    const std::optional<CIniFile> wrong = CIniFile::Load(path_);
    ASSERT_TRUE(wrong);
    CScenarioSection unknown(*wrong, wrong->Sections().front(), path_);
    unknown.Record(kRecordLayout<LacpPortStatusRec>);
    EXPECT_EQ(unknown.Error(),
              path_ + ":2: [LacpPortStatusRec.1] actor.aggregatorIfIndex: not a field of LacpPortStatusRec");
}

TEST_F(ScenarioSectionTest, ValuesReachTheirFields)
{
    Write("[NeKeyRecord.7]\n"
          "NEID=0x7\n" // names compare without regard to case, as everywhere in the file
          "neName=ABCDEFGHIJKLMNOPQRST\n"
          "locationId=4294967295\n"
          "ipAddress=192.168.50.10\n"
          "port=\n" // empty: not given
          "snmpCommunity=\xC3\x85lesund\n"
          "longitude=-10.75\n"
          "latitude=59.91\n");
    SimScenario scenario;
    std::string error;
    ASSERT_TRUE(LoadSimScenario(path_, &scenario, &error)) << error;
    ASSERT_EQ(scenario.nes.size(), 1u);
    NeKeyRecord expected;
    expected.neId = 7;
    expected.neName = "ABCDEFGHIJKLMNOPQRST";
    expected.locationId = 4294967295u;
    expected.ipAddress = {192, 168, 50, 10};
    expected.snmpCommunity = "\xC3\x85lesund";
    expected.longitude = -10.75F;
    expected.latitude = 59.91F;
    EXPECT_EQ(scenario.nes.front().key, expected);
}

TEST_F(ScenarioSectionTest, AKeyGivenTwiceIsRefusedEvenWhenItsSectionHeaderWasRepeated)
{
    Write(kNe1 + "[NE1.PvcRec.1]\nportId=10101\nvpi=0\n\n[NE1.PvcRec.1]\nportId=10102\nvpi=8\n");
    SimScenario scenario;
    std::string error;
    EXPECT_FALSE(LoadSimScenario(path_, &scenario, &error));
    EXPECT_NE(error.find("[NE1.PvcRec.1] portId: given twice (first at line"), std::string::npos) << error;
}

TEST_F(ScenarioSectionTest, AnNesOwnConfigurationTakesItsMacsAsHexadecimalBytes)
{
    Write(kNe1 + "[NE1.NeConfigRecord]\nugeMac=00:10:A4:00:01:01\nnmeMac=02-10-a4-00-01-02\ncontact=Field team\n");
    SimScenario scenario;
    std::string error;
    ASSERT_TRUE(LoadSimScenario(path_, &scenario, &error)) << error;
    ASSERT_EQ(scenario.nes.size(), 1u);
    ASSERT_TRUE(scenario.nes.front().config);
    const NeConfigRecord& config = *scenario.nes.front().config;
    EXPECT_EQ(config.ugeMac, (std::array<uint8_t, 6>{0x00, 0x10, 0xa4, 0x00, 0x01, 0x01}));
    EXPECT_EQ(config.nmeMac, (std::array<uint8_t, 6>{0x02, 0x10, 0xa4, 0x00, 0x01, 0x02}));
    EXPECT_EQ(config.contact, "Field team");
}

TEST_F(ScenarioSectionTest, AnAccountsPasswordIsKeptAsItsDigest)
{
    Write("[UserAccountRecord.1]\nname=ops\npassword=secret\nroleLetter=B\n"
          "[UserAccountRecord.2]\nname=audit\npasswordDigest=0123456789\nroleLetter=C\n");
    SimScenario scenario;
    std::string error;
    ASSERT_TRUE(LoadSimScenario(path_, &scenario, &error)) << error;
    ASSERT_EQ(scenario.accounts.size(), 2u);
    EXPECT_EQ(scenario.accounts[0].passwordDigest, PasswordDigest("secret"));
    EXPECT_EQ(scenario.accounts[0].roleLetter, "B");
    EXPECT_EQ(scenario.accounts[1].passwordDigest, "0123456789");
}

TEST_F(ScenarioSectionTest, ATableTheAgentFileGivesLosesItsDefaultRows)
{
    Write("[NeUserAccountRecord.1]\nuserName=su\nrole=2\nstate=1\n");
    NeAgentScenario scenario = DefaultNeAgentScenario();
    std::string error;
    ASSERT_TRUE(LoadNeAgentScenario(path_, &scenario, &error)) << error;
    std::vector<std::vector<uint8_t>> users;
    size_t communities = 0;
    for (const NeAgentRow& row : scenario.rows) {
        if (row.code == kReqNeUserAccount)
            users.push_back(row.record);
        communities += row.code == kReqNeSnmpCommunity ? 1 : 0;
    }
    EXPECT_EQ(users, (std::vector<std::vector<uint8_t>>{
                         MakeNeAgentRow(kReqNeUserAccount, NeUserAccountRecord{"su", "", 2, 1}).record}));
    EXPECT_EQ(communities, 2u) << "the default communities stay";
}

} // namespace
