// The server's profile templates and what their editors ask of the NE in the tree: the count before an add and the
// NE's rule check go to the NE the window's target holds (the server when the tree has none chosen); Save All as
// Templates clears the kind's templates with one request and sends the rows in batches, the SHDSL PM threshold rows
// made again from their texts; Download to NEs is titled with the kind and the profile, and its NE list sorts each
// column by its own rule; an ADSL line profile shows a negative SNR margin as it is and refuses it at OK.

#include "tests/e2e/support/direct_ne_test.h"
#include "tests/e2e/support/north1_test.h"
#include "tests/e2e/support/profile_list_steps.h"

#include "core/tables/ne_table.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_ip_traffic_profile_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"
#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"
#include "features/provisioning/templates/template_download_dlg.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/request_codes.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/lists/small_images.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/tree/group_view.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace {

constexpr int kCmdAdslProfile = 33080;
constexpr int kCmdShdslProfile = 33081;
constexpr int kCmdAdslProfileTemplate = 33142;
constexpr int kCmdVlanProfileTemplate = 33174;
constexpr int kCmdVcVlan = 33022;
constexpr int kCmdAccessControlList = 33167;
constexpr uint32_t kNorth = e2e::kNorth1;
const QString kTableFull = QStringLiteral("This table is full. Maximum number: 60");
const QString kDropRefused =
    QStringLiteral("Some PVCs using this profile are DHCP-related or Transparent . Can't \"drop\" broadcast.");

using e2e::Choose;
using e2e::Click;
using e2e::ClickTab;
using e2e::Field;
using e2e::MessageLine;
using e2e::Named;
using e2e::PageList;
using e2e::RowOf;
using e2e::Type;
using IpEditor = CXdslIpTrafficProfileDlg;

// The requests of the codes the workstation sent, in order, as "op=2 ne=0 code=157 count=1 size=1".
QStringList Sent(e2e::CProgram& program, std::initializer_list<int> codes)
{
    static const QRegularExpression header(
        QStringLiteral(" SEND (op=\\d+ ne=\\d+ code=(\\d+)) total=\\d+ (count=-?\\d+ size=\\d+)"));
    QStringList sent;
    const CPduLogDlg* log = program.App().GetPduLogWindow();
    if (log == nullptr)
        return sent;
    for (const QString& line : log->Lines()) {
        const QRegularExpressionMatch match = header.match(line);
        if (match.hasMatch() && std::find(codes.begin(), codes.end(), match.captured(2).toInt()) != codes.end())
            sent << match.captured(1) + QLatin1Char(' ') + match.captured(3);
    }
    return sent;
}

// Waits until the workstation has sent `count` requests of the codes; they in order.
QStringList SentOnce(e2e::CProgram& program, std::initializer_list<int> codes, qsizetype count)
{
    QStringList sent;
    program.WaitUntil(
        [&] {
            sent = Sent(program, codes);
            return sent.size() >= count;
        },
        5000);
    return sent;
}

// An NE's table of a profile kind filled to its limit, as another workstation would fill it.
template <class Rec> void Fill(e2e::CProgram& program, RequestCode<Rec> addCode, uint32_t neId, size_t held)
{
    std::vector<Rec> profiles(60 - held);
    for (size_t i = 0; i < profiles.size(); ++i)
        profiles[i].name = "full-" + std::to_string(i);
    e2e::AddOnServer(program, addCode, neId, profiles);
}

class ProfileTemplatesE2eTest : public e2e::CNorth1Test {};

// With North-1 chosen in the tree, the templates' editors count North-1's profiles before an add and have North-1
// judge a change: North-1's full table refuses a template, and its DHCP PVC on "office" a template of that name that
// drops broadcast.
TEST_F(ProfileTemplatesE2eTest, TheTemplatesEditorsAskTheNeInTheTree)
{
    IpTrafficProfileRec office;
    office.name = "office";
    office.downstreamRate = 2048;
    office.status = 1;
    office.broadcast = 3;
    e2e::AddOnServer(program_, kReqIpTrafficProfileTemplateAdd, 0, std::vector{office});
    Fill(program_, kReqAdslLineProfileAdd, kNorth, program_.ServerRecords(kReqAdslLineProfile, kNorth).size());
    e2e::COperator& person = program_.Operator();

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        EXPECT_TRUE(list.windowTitle().startsWith(QStringLiteral("{Template} VLAN Profile List")));
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        program_.ClickListRow(ips, RowOf(ips, 0, QStringLiteral("office")));
        person.OnDialog<IpEditor>([&](IpEditor& modify) {
            EXPECT_EQ(modify.windowTitle(), QStringLiteral("{Template} xDSL IP Traffic Profile : office"));
            // A stored broadcast other than 2 shows as "forward".
            EXPECT_EQ(Field(modify, IpEditor::kBroadcastId), QStringLiteral("forward"));
            Choose(modify, IpEditor::kBroadcastId, QStringLiteral("drop"));
            Click(modify, IDOK);
            EXPECT_EQ(person.LastBoxText(), kDropRefused);
            EXPECT_FALSE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfileTemplate));
    EXPECT_EQ(Named(program_.ServerRecords(kReqIpTrafficProfileTemplate), "office")->broadcast, 3u) << "not written";
    EXPECT_EQ(SentOnce(program_, {414}, 2), (QStringList{QStringLiteral("op=2 ne=1 code=414 count=1 size=196"),
                                                         QStringLiteral("op=1 ne=1 code=414 count=1 size=196")}));

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        person.OnDialog<CAdslLineProfileDlg>([&](CAdslLineProfileDlg& add) {
            Type(add, CAdslLineProfileDlg::kNameId, QStringLiteral("tmpl-1"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), kTableFull) << "North-1's table";
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslProfileTemplate));
    EXPECT_FALSE(Named(program_.ServerRecords(kReqAdslLineProfileTemplate), "tmpl-1").has_value());
    EXPECT_EQ(SentOnce(program_, {644}, 1), (QStringList{QStringLiteral("op=1 ne=1 code=644 count=1 size=2")}));
}

// Download to NEs titles its dialog with the kind and the profile it carries: a name, or a multicast channel's id
// with its name; before it sends, it asks, and only for line profiles warns that the lines retrain.
TEST_F(ProfileTemplatesE2eTest, TheDownloadIsTitledWithTheKindAndTheProfile)
{
    AdslLineProfileRec line;
    line.name = "tmpl-line";
    line.channelMode = 2;
    line.status = 1;
    e2e::AddOnServer(program_, kReqAdslLineProfileTemplateAdd, 0, std::vector{line});
    TrafficPolicingProfileRec policing;
    policing.name = "gold";
    policing.status = 1;
    e2e::AddOnServer(program_, kReqTrafficPolicingProfileTemplateAdd, 0, std::vector{policing});
    McChannelProfileRec channel;
    channel.profileId = 7;
    channel.name = "news";
    channel.groupAddress = {239, 1, 1, 7};
    channel.status = 1;
    e2e::AddOnServer(program_, kReqMcChannelProfileTemplateAdd, 0, std::vector{channel});
    McServiceProfileRec service;
    service.name = "basic";
    service.status = 1;
    e2e::AddOnServer(program_, kReqMcServiceProfileTemplateAdd, 0, std::vector{service});
    const struct {
        int command;
        int tab;
        ProfileKindId kind;
        const char* key; // column 0 of its row
        const char* title;
        bool retrains; // the line profiles' download warns that the lines retrain
    } cases[] = {
        {kCmdAdslProfileTemplate, 0, ProfileKindId::kAdslLine, "tmpl-line", "ADSL Line Profile : tmpl-line", true},
        {kCmdAdslProfileTemplate, 2, ProfileKindId::kTrafficPolicing, "gold", "xDSL Traffic Policing Profile : gold",
         false},
        {kCmdVlanProfileTemplate, 1, ProfileKindId::kMcChannel, "7", "xDSL Multicast Channel Profile : 7 (news)",
         false},
        {kCmdVlanProfileTemplate, 2, ProfileKindId::kMcService, "basic", "xDSL Multicast Service Profile : basic",
         false},
    };
    const QString sure =
        QStringLiteral("Are you sure to download this template to NEs?\n\nIt may overwrite NE current profiles.");
    const QString retrained = sure + QStringLiteral(" And all xDSL lines applying to these profiles will be "
                                                    "disconnected and re-trained with new parameters.");
    e2e::COperator& person = program_.Operator();
    for (const auto& c : cases) {
        QString title;
        person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
            ClickTab(list, c.tab);
            QTreeView& rows = PageList(list, c.kind);
            program_.ClickListRow(rows, RowOf(rows, 0, QString::fromLatin1(c.key)));
            person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
                title = Field(download, CTemplateDownloadDlg::kTitleId);
                person.boxTexts.clear();
                person.AnswerBox(IDNO);
                Click(download, CTemplateDownloadDlg::kDownloadId);
                return IDCANCEL;
            });
            Click(list, CProfileListDlg::kDownloadId);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(c.command));
        EXPECT_EQ(title, QString::fromLatin1(c.title)) << c.key;
        EXPECT_EQ(person.boxTexts, std::vector{c.retrains ? retrained : sure}) << c.key;
    }
}

// The download's NE list sorts each column by its own rule: No. as a number, Name letter case aside, Location by the
// location's name and then the NE's, IP address as an address. Eight NEs join the world's, their names of both cases,
// their addresses of numbers of one to three digits, three of them at North. Select All ticks the NEs connected.
TEST_F(ProfileTemplatesE2eTest, TheDownloadsNeListSortsEachColumnByItsRule)
{
    server_test::CRawClient& probe = program_.ServerProbe();
    const struct {
        const char* name;
        uint32_t location;
        uint8_t network;
    } added[] = {{"zulu-1", 2, 9},    {"alpha-1", 2, 100}, {"Bravo-1", 3, 99},    {"charlie-1", 3, 12},
                 {"Delta-1", 1, 200}, {"echo-1", 2, 8},    {"Foxtrot-1", 3, 101}, {"golf-1", 1, 11}};
    for (const auto& ne : added) {
        NeKeyRecord rec;
        rec.neName = ne.name;
        rec.modelId = 2;
        rec.locationId = ne.location;
        rec.ipAddress = {10, ne.network, 1, 1};
        rec.port = 161;
        const auto bytes = EncodeRecord(rec);
        const std::optional<Frame> reply =
            probe.ReplyTo(probe.Send(2, kReqNeKeyAdd, 0, {bytes.begin(), bytes.end()}, kNeKeyRecordSize));
        ASSERT_TRUE(reply && reply->header.status == 0) << ne.name;
    }
    ASSERT_TRUE(program_.WaitUntil([] { return FindNeByName("golf-1") != nullptr; }));
    AdslLineProfileRec line;
    line.name = "tmpl-line";
    line.channelMode = 2;
    line.status = 1;
    e2e::AddOnServer(program_, kReqAdslLineProfileTemplateAdd, 0, std::vector{line});

    const auto address = [](const QString& text) {
        uint32_t value = 0;
        for (const QString& part : text.split('.'))
            value = value << 8 | part.toUInt();
        return value;
    };
    const auto noCase = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; };
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& rows = PageList(list, ProfileKindId::kAdslLine);
        program_.ClickListRow(rows, RowOf(rows, 0, QStringLiteral("tmpl-line")));
        person.OnDialog<CTemplateDownloadDlg>([&](CTemplateDownloadDlg& download) {
            EXPECT_TRUE(Choose(download, CTemplateDownloadDlg::kLocationComboId, QStringLiteral("Headquarters")));
            QTreeView& nes = *download.FindList(kListControlId);
            const auto column = [&](int shown) { return e2e::ListColumn(nes, shown); };
            const auto clickUntil = [&](int clicked, int arrow) {
                for (int click = 0; click < 2 && !e2e::CProgram::HeaderShowsImage(nes, clicked, arrow); ++click)
                    e2e::CProgram::ClickHeader(*nes.header(), clicked);
                EXPECT_TRUE(e2e::CProgram::HeaderShowsImage(nes, clicked, arrow)) << clicked;
            };
            // Each column sorted upwards after the IP addresses sorted downwards, so that no column finds the rows
            // in its order.
            const auto sortBy = [&](int sorted) {
                clickUntil(3, kImageSortDescending);
                clickUntil(sorted, kImageSortAscending);
            };
            sortBy(0);
            const QStringList numbers = column(0);
            EXPECT_GE(numbers.size(), 10);
            for (int row = 0; row < numbers.size(); ++row)
                EXPECT_EQ(numbers[row], QString::number(row + 1));
            sortBy(1);
            const QStringList names = column(1);
            EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), noCase)) << names.join(',').toStdString();
            sortBy(3);
            const QStringList addresses = column(3);
            for (int row = 1; row < addresses.size(); ++row)
                EXPECT_LT(address(addresses[row - 1]), address(addresses[row])) << addresses.join(',').toStdString();
            sortBy(2);
            const QStringList locations = column(2);
            const QStringList byLocation = column(1);
            for (int row = 1; row < locations.size(); ++row) {
                const int order = locations[row - 1].compare(locations[row], Qt::CaseInsensitive);
                EXPECT_TRUE(order < 0 || (order == 0 && noCase(byLocation[row - 1], byLocation[row])))
                    << (locations[row] + ' ' + byLocation[row]).toStdString();
            }
            EXPECT_EQ(locations.count(QStringLiteral("North")), 4);

            // Select All ticks the NEs that take a download, not one that is not connected; Deselect All none.
            const auto ticked = [&](const char* name) {
                const int row = RowOf(nes, 1, QString::fromLatin1(name));
                return row >= 0 && nes.model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
            };
            for (const int button : {CTemplateDownloadDlg::kDeselectAllId, CTemplateDownloadDlg::kSelectAllId,
                                     CTemplateDownloadDlg::kDeselectAllId}) {
                Click(download, button);
                const bool all = button == CTemplateDownloadDlg::kSelectAllId;
                EXPECT_EQ(ticked("North-1"), all) << button;
                EXPECT_EQ(ticked("South-1"), all) << button;
                EXPECT_FALSE(ticked("zulu-1")) << button;
            }
            return IDCANCEL;
        });
        Click(list, CProfileListDlg::kDownloadId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslProfileTemplate));
}

// With no NE chosen the same requests go to the server, which counts its templates and finds nothing against a
// template.
TEST_F(ProfileTemplatesE2eTest, WithoutAnNeTheServerCountsAndJudgesItsTemplates)
{
    IpTrafficProfileRec office;
    office.name = "office";
    office.downstreamRate = 2048;
    office.status = 1;
    office.broadcast = 3;
    e2e::AddOnServer(program_, kReqIpTrafficProfileTemplateAdd, 0, std::vector{office});
    program_.ClickTreeItem(program_.Tree().Tree()->topLevelItem(0));
    e2e::COperator& person = program_.Operator();

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& ips = PageList(list, ProfileKindId::kIpTraffic);
        program_.ClickListRow(ips, RowOf(ips, 0, QStringLiteral("office")));
        person.OnDialog<IpEditor>([&](IpEditor& modify) {
            Choose(modify, IpEditor::kBroadcastId, QStringLiteral("drop"));
            person.AnswerBox(IDYES);
            Click(modify, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to modify the data?"));
            EXPECT_TRUE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        person.OnDialog<IpEditor>([&](IpEditor& add) {
            Type(add, IpEditor::kNameId, QStringLiteral("tv-1"));
            Click(add, IDOK);
            EXPECT_TRUE(add.IsEnded());
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVlanProfileTemplate));
    const std::vector<IpTrafficProfileRec> templates = program_.ServerRecords(kReqIpTrafficProfileTemplate);
    EXPECT_EQ(Named(templates, "office")->broadcast, 2u);
    EXPECT_TRUE(Named(templates, "tv-1").has_value());
    EXPECT_EQ(SentOnce(program_, {414, 435}, 3), (QStringList{QStringLiteral("op=2 ne=0 code=414 count=1 size=196"),
                                                              QStringLiteral("op=1 ne=0 code=414 count=1 size=196"),
                                                              QStringLiteral("op=1 ne=0 code=435 count=1 size=2")}));
}

// The SHDSL PM threshold profiles: an add asks the NE's SHDSL count (812), which a full table of line profiles fills;
// Save All clears the templates, then sends each row as its texts give it: off thresholds as their off values.
TEST_F(ProfileTemplatesE2eTest, ShdslPmThresholdRowsAreCountedBy812AndSavedAsTheirTextsGiveThem)
{
    ShdslPmThresholdProfileRec odd;
    odd.name = "odd-off";
    odd.minSnrMargin = -2;
    odd.maxLoopAttenuation = 130;
    odd.es = 15;
    odd.rowState = 2;
    // Two profiles whose 15-minute thresholds differ only past their first 20 characters, as "shdsl-alarm"'s do.
    std::vector<ShdslPmThresholdProfileRec> alike(2, ShdslPmThresholdProfileRec{});
    for (ShdslPmThresholdProfileRec& rec : alike) {
        rec.es = 30;
        rec.ses = 10;
        rec.uas = 10;
        rec.rowState = 1;
    }
    alike[0].name = "a-high";
    alike[0].losws = 15;
    alike[0].crc = 900;
    alike[1].name = "b-low";
    alike[1].losws = 10;
    alike[1].crc = 100;
    e2e::AddOnServer(program_, kReqShdslPmThresholdProfileAdd, kNorth, alike);
    e2e::AddOnServer(program_, kReqShdslPmThresholdProfileAdd, kNorth, std::vector{odd});
    Fill(program_, kReqShdslLineProfileAdd, kNorth, program_.ServerRecords(kReqShdslLineProfile, kNorth).size());
    const size_t rows = program_.ServerRecords(kReqShdslPmThresholdProfile, kNorth).size();
    e2e::COperator& person = program_.Operator();

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        EXPECT_TRUE(list.windowTitle().startsWith(QStringLiteral("[North:North-1] SHDSL Profile List")));
        ClickTab(list, 1);
        // The thresholds sort by their first 20 characters, then by name.
        QTreeView& thresholds = PageList(list, ProfileKindId::kShdslPmThreshold);
        e2e::CProgram::ClickHeader(*thresholds.header(), 3);
        const QStringList alikeOrder = {QStringLiteral("a-high"), QStringLiteral("b-low"),
                                        QStringLiteral("shdsl-alarm")};
        QStringList sorted = e2e::ListColumn(thresholds, 0);
        sorted.removeIf([&](const QString& name) { return !alikeOrder.contains(name); });
        EXPECT_EQ(sorted, alikeOrder);
        person.OnDialog<CShdslPmThresholdProfileDlg>([&](CShdslPmThresholdProfileDlg& add) {
            Type(add, CShdslPmThresholdProfileDlg::kNameId, QStringLiteral("new-1"));
            Click(add, IDOK);
            EXPECT_EQ(MessageLine(add), kTableFull);
            return IDCANCEL;
        });
        Click(list, kAddButtonId);
        person.AnswerBox(IDYES);
        Click(list, CProfileListDlg::kSaveAllId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslProfile));
    EXPECT_EQ(SentOnce(program_, {812}, 1), (QStringList{QStringLiteral("op=1 ne=1 code=812 count=1 size=2")}));
    EXPECT_EQ(SentOnce(program_, {155, 157}, 2),
              (QStringList{QStringLiteral("op=2 ne=0 code=157 count=1 size=1"),
                           QStringLiteral("op=2 ne=0 code=155 count=%1 size=52").arg(rows)}));
    const std::optional<ShdslPmThresholdProfileRec> saved =
        Named(program_.ServerRecords(kReqShdslPmThresholdProfileTemplate), "odd-off");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->minSnrMargin, 0);
    EXPECT_EQ(saved->maxLoopAttenuation, 127);
    EXPECT_EQ(saved->es, 15);
    EXPECT_EQ(saved->rowState, 2u) << "the row's state";
    EXPECT_EQ(program_.ServerRecords(kReqShdslPmThresholdProfileTemplate).size(), rows);
}

// A negative SNR margin shows as the profile has it, and OK refuses it by the page's range: nothing is written.
TEST_F(ProfileTemplatesE2eTest, ANegativeSnrMarginShowsAndIsRefused)
{
    std::optional<AdslLineProfileRec> fast = Named(program_.ServerRecords(kReqAdslLineProfile, kNorth), "fast-8M");
    ASSERT_TRUE(fast.has_value());
    fast->upstreamSnr.minimum = -20;
    e2e::AddOnServer(program_, kReqAdslLineProfile, kNorth, std::vector{*fast});
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& lines = PageList(list, ProfileKindId::kAdslLine);
        program_.ClickListRow(lines, RowOf(lines, 0, QStringLiteral("fast-8M")));
        person.OnDialog<CAdslLineProfileDlg>([&](CAdslLineProfileDlg& modify) {
            EXPECT_EQ(modify.windowTitle(), QStringLiteral("[North:North-1] ADSL Line Profile : fast-8M"));
            EXPECT_EQ(Field(modify.SnrMarginPage(), CAdslSnrMarginPage::kUpMinId), QStringLiteral("-20"));
            ClickTab(modify, 2, CProfileListDlg::kTabId);
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(modify, QStringLiteral("adsl_line_profile_negative_snr")));
            Click(modify, IDOK);
            EXPECT_EQ(MessageLine(modify), QStringLiteral("Please enter an integer between 0 and 310."));
            EXPECT_TRUE(person.boxTexts.empty()) << "nothing asked";
            EXPECT_FALSE(modify.IsEnded());
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslProfile));
    EXPECT_EQ(Named(program_.ServerRecords(kReqAdslLineProfile, kNorth), "fast-8M")->upstreamSnr.minimum, -20);
}

// The PVC windows name their target with the NE's location at a server; in direct mode the NE alone.
TEST_F(ProfileTemplatesE2eTest, ThePvcWindowsNameTheNeWithItsLocation)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& pvcs) {
        EXPECT_EQ(pvcs.windowTitle(), QStringLiteral("[North:North-1] xDSL VC-to-VLAN List"));
        QTreeView& list = *pvcs.FindList(kListControlId);
        program_.ClickListRow(list, 0);
        person.OnDialog<CXdslVcVlanSettingDlg>([&](CXdslVcVlanSettingDlg& setting) {
            EXPECT_TRUE(setting.windowTitle().startsWith(QStringLiteral("[North:North-1] <")))
                << setting.windowTitle().toStdString();
            return IDCANCEL;
        });
        Click(pvcs, kShowButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
    person.OnDialog<CXdslAclListDlg>([&](CXdslAclListDlg& acl) {
        EXPECT_EQ(acl.windowTitle(), QStringLiteral("[North:North-1] xDSL Access Control List"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAccessControlList));
}

class ProfileCaptionsDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(ProfileCaptionsDirectE2eTest, InDirectModeTheNeStandsAlone)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        EXPECT_EQ(list.windowTitle(), QStringLiteral("[127.0.0.1] ADSL Profile List"));
        QTreeView& lines = PageList(list, ProfileKindId::kAdslLine);
        program_.ClickListRow(lines, 0);
        person.OnDialog<CAdslLineProfileDlg>([&](CAdslLineProfileDlg& show) {
            EXPECT_TRUE(show.windowTitle().startsWith(QStringLiteral("[127.0.0.1] ADSL Line Profile : ")))
                << show.windowTitle().toStdString();
            return IDCANCEL;
        });
        Click(list, kShowButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdAdslProfile));
    person.OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& pvcs) {
        EXPECT_EQ(pvcs.windowTitle(), QStringLiteral("[127.0.0.1] xDSL VC-to-VLAN List"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdVcVlan));
}

} // namespace
