// The one-shot requests of the main window's commands: the right check, the Yes/No question, the exact request and
// the status text; Reset by the selection's level; Delete Member of one's own account; Alarm Sync; and the queries
// made before the CLI prompt and multicast dialogs.

#include "tests/ui/shell/routing/routing_test_support.h"

#include "core/tables/location_tree.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/profile_sync_rec.h"
#include "link/records/user_account_record.h"
#include "ui/framework/messages/string_ids.h"
#include <initializer_list>

using namespace frame_test;
using namespace routing_test;

namespace {

constexpr uint32_t kNe = 7;
constexpr uint32_t kLocation = 5;
constexpr int kYes = 6;
constexpr int kNo = 7;

std::vector<uint8_t> Zeros(size_t n)
{
    return std::vector<uint8_t>(n, 0);
}

std::vector<uint8_t> Le32(uint32_t value, size_t size = 4)
{
    std::vector<uint8_t> bytes(size, 0);
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    return bytes;
}

class RoutingRequestsTest : public ::testing::Test {
protected:
    RoutingRequestsTest()
    {
        DeclareProgramCommands();
        AddTestNe({.id = kNe, .name = "Seven", .location = kLocation});
        CLocationNode location;
        location.id = kLocation;
        location.name = "Harbour";
        AppData().locations.UpsertLocation(location);
        GrantAll(kRoleAdministrator);
        host_.neId = kNe;
        host_.locationId = kLocation;
        host_.index = CEntityIndex::FromLevels(1);
        host_.keyText = "bob";
        AppData().SetLoginUserName("alice");
    }

    ScopedModels models_;
    ScopedWorkDir work_;
    FakeRouteHost host_;
    RecordingServices services_;
    DialogRecorder dialogs_;
    CCommandRouter router_{host_, services_.Make()};
};

struct OneShotRow {
    int command;
    int rightItem;
    char rightLetter;
    CEntityIndex index;
    uint32_t question;
    uint16_t code;
    uint32_t neId;
    std::vector<uint8_t> record;
    uint32_t failure;
    uint32_t success;
};

std::vector<OneShotRow> OneShotRows()
{
    std::vector<uint8_t> location = Zeros(kLocationRecordSize);
    location[0] = kLocation;
    std::memcpy(location.data() + 4, "Harbour", 7);
    std::vector<uint8_t> ne = Zeros(kNeKeyRecordSize);
    ne[0] = kNe;
    std::memcpy(ne.data() + 8, "Seven", 5);
    std::vector<uint8_t> account = Zeros(kUserAccountRecordSize);
    std::memcpy(account.data(), "bob", 3);
    const CEntityIndex slot = CEntityIndex::FromLevels(1, 1, 2);
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 2, 3);
    return {
        {33085, 3, 'x', CEntityIndex::FromLevels(1), kStrSureToResetNe, kReqNeReboot, kNe, Zeros(1), kStrFailToResetNe,
         kStrCompleteResettingNe},
        {33085, 3, 'x', CEntityIndex::FromLevels(1, 1), kStrSureToResetNe, kReqNeReboot, kNe, Zeros(1),
         kStrFailToResetNe, kStrCompleteResettingNe},
        {33085, 3, 'x', slot, kStrSureToResetCard, kReqCardReset, kNe, Le32(CEntityId(&slot).id), kStrFailToResetCard,
         kStrCompleteResettingCard},
        {33085, 3, 'x', port, kStrSureToResetLinePort, kReqPortReset, kNe, Le32(CEntityId(&port).id),
         kStrFailToResetLinePort, kStrCompleteResettingLinePort},
        {33101,
         3,
         'x',
         {},
         kStrSureToDownloadConfig,
         kReqConfigDownload,
         kNe,
         Le32(1, kProfileSyncRecSize),
         kStrFailToSynchronizeConfig,
         kStrCompleteSynchronizingConfigReset},
        {33088,
         3,
         'x',
         {},
         kStrSureToWriteFlash,
         kReqFlashWrite,
         kNe,
         Zeros(1),
         kStrFailToWriteFlash,
         kStrCompleteWritingFlash},
        {33204,
         3,
         'x',
         {},
         kStrSureToEraseConfig,
         kReqFlashErase,
         kNe,
         Zeros(1),
         kStrFailToWriteFlash,
         kStrCompleteErasingConfig},
        {33009,
         21,
         'd',
         {},
         kStrSureToDeleteData,
         kReqLocationDelete,
         0,
         location,
         kStrFailToDelete,
         kStrCompleteDeletingFile},
        {33010, 3, 'd', {}, kStrSureToDeleteData, kReqNeKeyDelete, kNe, ne, kStrFailToDelete, kStrCompleteDeletingFile},
        {33011,
         18,
         'd',
         {},
         kStrSureToDeleteData,
         kReqUserAccountDelete,
         0,
         account,
         kStrFailToDelete,
         kStrCompleteDeletingFile},
    };
}

TEST_F(RoutingRequestsTest, DeniedAnsweredNoAnsweredYesAndFailed)
{
    for (const OneShotRow& row : OneShotRows()) {
        SCOPED_TRACE(testing::Message() << row.command << " level " << row.index.GetLevel());
        host_.index = row.index.IsEmpty() ? CEntityIndex::FromLevels(1) : row.index;

        // The right: the letter on its item lets the command ask (an execute right needs "a"); one letter less, or
        // the letter on the next item, is refused with "No privilege" and nothing asked or sent.
        const char granted = row.rightLetter == 'x' ? 'a' : row.rightLetter;
        const char less = granted == 'a' ? 'd' : 'c'; // the rows need "x" or "d"
        struct Rights {
            int item;
            char letter;
            bool allowed;
        };
        for (const Rights& rights : {Rights{row.rightItem, granted, true}, Rights{row.rightItem, less, false},
                                     Rights{row.rightItem + 1, granted, false}}) {
            SCOPED_TRACE(testing::Message() << "item " << rights.item << " '" << rights.letter << "'");
            std::string table(127, '-');
            table[static_cast<size_t>(rights.item)] = rights.letter;
            SetUserRights(kRoleUser, table.c_str());
            AppData().role = kRoleUser;
            services_ = RecordingServices{};
            services_.answers = {kNo};
            CCommandRouter checked(host_, services_.Make());
            checked.Route(row.command);
            EXPECT_EQ(services_.questions.size(), rights.allowed ? 1U : 0U);
            EXPECT_EQ(services_.statuses,
                      rights.allowed ? std::vector<uint32_t>{} : std::vector<uint32_t>{kStrNoPrivilege});
            EXPECT_TRUE(services_.requests.empty());
        }
        GrantAll(kRoleAdministrator);

        // No: asked with the exclamation icon and No as default, nothing sent.
        services_ = RecordingServices{};
        services_.answers = {kNo};
        CCommandRouter no(host_, services_.Make());
        no.Route(row.command);
        ASSERT_EQ(services_.questions.size(), 1U);
        EXPECT_EQ(services_.questions[0], std::make_pair(row.question, 0x134));
        EXPECT_TRUE(services_.requests.empty());
        EXPECT_TRUE(services_.statuses.empty());

        // Yes: the exact request, then the success text.
        services_ = RecordingServices{};
        services_.answers = {kYes};
        CCommandRouter yes(host_, services_.Make());
        yes.Route(row.command);
        ASSERT_EQ(services_.requests.size(), 1U);
        const RoutedRequest& sent = services_.requests[0];
        EXPECT_EQ(sent.operation, kEmsOpModify);
        EXPECT_EQ(sent.code, row.code);
        EXPECT_EQ(sent.neId, row.neId);
        EXPECT_EQ(sent.record, row.record);
        EXPECT_EQ(sent.failureText, row.failure);
        EXPECT_EQ(sent.timeout, -2);
        EXPECT_TRUE(sent.wait);
        EXPECT_EQ(services_.statuses, std::vector<uint32_t>{row.success});

        // Failure: the driver told the operator; nothing more.
        services_ = RecordingServices{};
        services_.answers = {kYes};
        services_.replies[row.code] = {32001, kEmsOpReply, 0, {}};
        CCommandRouter failed(host_, services_.Make());
        failed.Route(row.command);
        EXPECT_EQ(services_.requests.size(), 1U);
        EXPECT_TRUE(services_.statuses.empty());
    }
}

TEST_F(RoutingRequestsTest, ResetWithoutAUsableSelectionSendsNothing)
{
    services_.answers = {kYes, kYes};
    host_.index = CEntityIndex{};
    router_.Route(33085);
    host_.index.levelCount = 5;
    host_.index.levels = {1, 1, 2, 3, 1};
    router_.Route(33085);
    EXPECT_TRUE(services_.questions.empty());
    EXPECT_TRUE(services_.requests.empty());

    host_.neId = 99;
    host_.index = CEntityIndex::FromLevels(1);
    router_.Route(33085);
    EXPECT_EQ(services_.statuses, std::vector<uint32_t>{kStrUnknownNe});
    EXPECT_TRUE(services_.requests.empty());
}

TEST_F(RoutingRequestsTest, DeletingOnesOwnAccountIsRefusedAfterTheQuestion)
{
    host_.keyText = "alice";
    services_.answers = {kYes};
    router_.Route(33011);
    EXPECT_EQ(services_.questions.size(), 1U);
    EXPECT_EQ(services_.statuses, std::vector<uint32_t>{kStrDataInUse});
    EXPECT_TRUE(services_.requests.empty());
}

TEST_F(RoutingRequestsTest, RetrieveConfigurationRefreshesAfterTheUpload)
{
    services_.answers = {kYes};
    router_.Route(33102);
    ASSERT_EQ(services_.requests.size(), 4U);
    EXPECT_EQ(services_.requests[0].code, kReqConfigUpload);
    EXPECT_EQ(services_.requests[0].record, Le32(1, kProfileSyncRecSize));
    EXPECT_EQ(services_.requests[1].code, kReqNeKey);
    EXPECT_EQ(services_.requests[1].neId, 0U);
    EXPECT_EQ(services_.requests[1].timeout, 35000);
    EXPECT_EQ(services_.requests[1].failureText, 0U);
    EXPECT_EQ(services_.requests[2].code, kReqBoardSetting);
    EXPECT_EQ(services_.requests[2].timeout, 0);
    EXPECT_FALSE(services_.requests[2].wait);
    EXPECT_EQ(services_.requests[3].code, kReqEntityState);
    EXPECT_EQ(services_.requests[3].record, Zeros(4));
    EXPECT_EQ(services_.statuses, std::vector<uint32_t>{kStrCompleteSynchronizingConfig});
}

TEST_F(RoutingRequestsTest, AlarmSyncStopsAtTheFirstFailure)
{
    for (uint16_t failing : std::initializer_list<uint16_t>{0, kReqAlarmDef, kReqAlarmSync, kReqBoardSetting}) {
        SCOPED_TRACE(failing);
        services_ = RecordingServices{};
        if (failing != 0)
            services_.replies[failing] = {32001, kEmsOpReply, 0, {}};
        CCommandRouter router(host_, services_.Make());
        router.Route(33042);
        std::vector<uint16_t> codes;
        for (const RoutedRequest& sent : services_.requests) {
            codes.push_back(sent.code);
            EXPECT_EQ(sent.failureText, 10044U);
            EXPECT_EQ(sent.neId, kNe);
        }
        const std::vector<uint16_t> all = {kReqAlarmDef, kReqAlarmSync, kReqBoardSetting};
        const size_t sent =
            failing == 0 ? 3 : static_cast<size_t>(std::find(all.begin(), all.end(), failing) - all.begin()) + 1;
        EXPECT_EQ(codes, std::vector<uint16_t>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(sent)));
        EXPECT_EQ(services_.statuses,
                  failing == 0 ? std::vector<uint32_t>{kStrCompleteSynchronizingNeAlarms} : std::vector<uint32_t>{});
        EXPECT_TRUE(services_.questions.empty());
    }
    EXPECT_EQ(services_.requests[0].record, Zeros(kAlarmDefRecSize));
}

TEST_F(RoutingRequestsTest, CliPromptAsksAboutTheCurrentNe)
{
    struct Row {
        uint32_t field;
        const char* className;
    };
    for (const Row& row : {Row{2, "CNeCliPromptDlg"}, Row{1, "CNeCliPromptDualDlg"}, Row{0, "CNeCliPromptDualDlg"}}) {
        SCOPED_TRACE(row.field);
        services_ = RecordingServices{};
        std::vector<uint8_t> record = Zeros(kNeKeyRecordSize);
        record[68] = static_cast<uint8_t>(row.field);
        services_.replies[kReqNeKey] = {0, kEmsOpReply, kNeKeyRecordSize, record};
        dialogs_.opened.clear();
        CCommandRouter router(host_, services_.Make());
        router.Route(33217);
        ASSERT_EQ(services_.requests.size(), 1U);
        EXPECT_EQ(services_.requests[0].code, kReqNeKey);
        EXPECT_EQ(services_.requests[0].neId, kNe);
        EXPECT_EQ(services_.requests[0].operation, kEmsOpQuery);
        EXPECT_EQ(services_.requests[0].failureText, kStrFailToQuery);
        ASSERT_EQ(dialogs_.opened.size(), 1U);
        EXPECT_EQ(dialogs_.opened[0].className, row.className);
        EXPECT_TRUE(dialogs_.opened[0].hasLocation);
        EXPECT_FALSE(dialogs_.opened[0].hasEntity);
    }
    // No records, or a failed query: nothing opens.
    services_ = RecordingServices{};
    services_.replies[kReqNeKey] = {0, kEmsOpReply, kNeKeyRecordSize, {}};
    dialogs_.opened.clear();
    CCommandRouter router(host_, services_.Make());
    router.Route(33217);
    EXPECT_TRUE(dialogs_.opened.empty());
}

TEST_F(RoutingRequestsTest, MulticastDialogsNeedAnIgmpFunction)
{
    struct Row {
        int command;
        uint8_t operation;
        uint32_t function;
        const char* opened; // null: none
        bool disabledText;
    };
    const Row rows[] = {
        {33118, kEmsOpReply, 1, "CMulticastChannelStatusDlg", false},
        {33118, kEmsOpReply, 2, "CMulticastChannelStatusDlg", false},
        {33119, kEmsOpReply, 1, "CMulticastGroupMemberDlg", false},
        {33119, kEmsOpReply, 3, nullptr, true},
        {33118, kEmsOpReply, 0, nullptr, true},
        {33118, kEmsOpTextReply, 1, nullptr, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.command << " " << row.function);
        services_ = RecordingServices{};
        std::vector<uint8_t> record = Zeros(kIgmpSettingRecSize);
        record[0] = static_cast<uint8_t>(row.function);
        services_.replies[kReqIgmpSetting] = {0, row.operation, kIgmpSettingRecSize, record};
        dialogs_.opened.clear();
        CCommandRouter router(host_, services_.Make());
        router.Route(row.command);
        ASSERT_EQ(services_.requests.size(), 1U);
        EXPECT_EQ(services_.requests[0].record, Zeros(kIgmpSettingRecSize));
        EXPECT_EQ(services_.requests[0].neId, kNe);
        if (row.opened != nullptr) {
            ASSERT_EQ(dialogs_.opened.size(), 1U);
            EXPECT_EQ(dialogs_.opened[0].className, row.opened);
            EXPECT_EQ(dialogs_.opened[0].entity.id, 1U); // the NE itself
        } else {
            EXPECT_TRUE(dialogs_.opened.empty());
        }
        EXPECT_EQ(services_.statuses,
                  row.disabledText ? std::vector<uint32_t>{kStrIgmpSnoopingAndProxyDisabled} : std::vector<uint32_t>{});
    }
}

// Help and Telnet are tested end to end (tests/e2e/shell_e2e_test.cpp).
TEST_F(RoutingRequestsTest, PduLogAndStop)
{
    router_.Route(1268);
    EXPECT_TRUE(AppSettings().pduLogWin);
    EXPECT_NE(work_.Ini().find("PDULOGWIN"), std::string::npos);
    EXPECT_EQ(host_.pduLogRaised, 1);
    router_.Route(33094);
    EXPECT_EQ(services_.cancels, 1);
}

} // namespace
