// Fast provisioning of a multicast channel on North-1's first line card in the running program: List is offered only
// for a range of slots in order; the run writes the channel port after port on its timer, pauses on the first port
// without a PVC in service with the refusal on the message line, and after Stop and a new choice of ports asks before
// it replaces a port's channel and goes on to the end.

#include "tests/e2e/support/direct_ne_test.h"
#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/mc_server_steps.h"

#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/multicast/mc_fast_prov_dlg.h"
#include "features/provisioning/multicast/mc_fast_prov_list_dlg.h"
#include "link/record_requests.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/request_codes.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int kCmdMcFastProvision = 33122;
constexpr uint32_t kLineCardModel = 130; // the model of North-1's card in slot 1, the IPD-12's ALC-24
using Dialog = CMcFastProvDlg;
using List = CMcFastProvListDlg;
using e2e::CellImage;
using e2e::Choose;
using e2e::Click;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

const McChannelRec* ChannelOf(const std::vector<McChannelRec>& channels, uint32_t portId)
{
    for (const McChannelRec& channel : channels) {
        if (channel.portId == portId)
            return &channel;
    }
    return nullptr;
}

TEST(McFastProvisionE2eTest, TheRunPausesOnARefusalAndGoesOnAfterStop)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    e2e::AddChannelOnNorth1(program, 10105, 33, 300, 1, 2);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Dialog>([&](Dialog& dialog) {
        // What the operator sees first: North-1 has one shelf; the card chosen in the tree; the defaults.
        for (int id : {Dialog::kShelfFromId, Dialog::kShelfToId}) {
            EXPECT_FALSE(dialog.IsControlEnabled(id)) << id;
            EXPECT_EQ(e2e::Field(dialog, id), QStringLiteral("1")) << id;
        }
        EXPECT_EQ(e2e::Field(dialog, Dialog::kVpiId), QStringLiteral("0"));
        EXPECT_EQ(e2e::Field(dialog, Dialog::kVciId), QStringLiteral("32"));
        EXPECT_EQ(e2e::Field(dialog, Dialog::kVlanId), QStringLiteral("1"));
        EXPECT_TRUE(e2e::IsChecked(dialog, Dialog::kEnabledId));
        EXPECT_EQ(e2e::Field(dialog.LimitPage(), CMcChannelLimitPage::kLimitId), QStringLiteral("1"));
        EXPECT_EQ(e2e::Field(dialog.ProfilePage(), CMcProfilePage::kProfileId), QStringLiteral("basic"));
        auto* type = dialog.GetDlgItemAs<QComboBox>(Dialog::kTypeId);
        EXPECT_EQ(type->currentIndex(), 0);
        const int card = type->findData(QVariant::fromValue<quint32>(kLineCardModel));
        if (card < 0) {
            ADD_FAILURE() << "the slot's line card is not offered";
            return IDCANCEL;
        }
        EXPECT_EQ(type->itemText(card), QStringLiteral("ALC-24")) << "the model's name";
        Choose(dialog, Dialog::kTypeId, type->itemText(card));
        Type(dialog, Dialog::kVciId, QStringLiteral("70"));
        Type(dialog, Dialog::kVlanId, QStringLiteral("301"));
        EXPECT_TRUE(dialog.IsControlEnabled(Dialog::kListId));
        // A range whose end comes before its start offers neither List nor Type.
        auto* slotFrom = dialog.GetDlgItemAs<QComboBox>(Dialog::kSlotFromId);
        const QString firstSlot = slotFrom->currentText();
        Choose(dialog, Dialog::kSlotFromId, slotFrom->itemText(slotFrom->currentIndex() + 1));
        EXPECT_FALSE(dialog.IsControlEnabled(Dialog::kListId));
        EXPECT_FALSE(dialog.IsControlEnabled(Dialog::kTypeId));
        Choose(dialog, Dialog::kSlotFromId, firstSlot);
        EXPECT_TRUE(dialog.IsControlEnabled(Dialog::kListId));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("mc_fast_provision")));

        person.OnDialog<List>([&](List& list) {
            QTreeView& ports = *list.FindList(kListControlId);
            const QStringList places = ListColumn(ports, 1);
            EXPECT_GE(places.size(), 8);
            EXPECT_EQ(places.value(0), QStringLiteral("1-1"));
            EXPECT_FALSE(list.IsControlEnabled(List::kStopId));

            // Ports 1 and 2 take the channel; port 3 has no PVC in service: the run waits there.
            Click(list, List::kGoId);
            EXPECT_TRUE(program.WaitUntil([&] { return CellImage(ports, 0) == kImageDone; }));
            EXPECT_TRUE(program.WaitUntil([&] { return !MessageLine(list).isEmpty(); }));
            EXPECT_EQ(MessageLine(list), QStringLiteral("This port doesn't has any active PVC"));
            EXPECT_TRUE(list.IsRunning()) << "paused: only the list and Stop";
            EXPECT_FALSE(list.IsControlEnabled(List::kGoId));
            EXPECT_EQ(CellImage(ports, RowOf(ports, 1, QStringLiteral("1-2"))), kImageDone);
            EXPECT_NE(CellImage(ports, RowOf(ports, 1, QStringLiteral("1-3"))), kImageDone);
            Click(list, List::kStopId);
            EXPECT_FALSE(list.IsRunning());

            // Ports 5 and 6 only; port 5's channel is replaced once the operator agrees.
            Click(list, List::kDeselectAllId);
            e2e::TickRows(ports, {QStringLiteral("1-5"), QStringLiteral("1-6")}, 1);
            person.AnswerBox(IDYES);
            Click(list, List::kGoId);
            EXPECT_TRUE(program.WaitUntil([&] { return !list.IsRunning(); }));
            EXPECT_EQ(CellImage(ports, RowOf(ports, 1, QStringLiteral("1-5"))), kImageDone);
            EXPECT_EQ(CellImage(ports, RowOf(ports, 1, QStringLiteral("1-6"))), kImageDone);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("There is already one multicast channel on the line "
                                                           "port.\n\nAre you sure to OVERWRITE it?"));
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("mc_fast_provision_list")));
            return IDCANCEL;
        });
        Click(dialog, Dialog::kListId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMcFastProvision));
    const std::vector<McChannelRec> channels = program.ServerRecords(kReqMcChannel, e2e::kNorth1);
    for (uint32_t portId : {10101u, 10102u, 10105u, 10106u}) {
        const McChannelRec* channel = ChannelOf(channels, portId);
        ASSERT_NE(channel, nullptr) << portId;
        EXPECT_EQ(channel->vci, 70) << portId;
        EXPECT_EQ(channel->vlanId, 301) << portId;
        EXPECT_EQ(channel->adminState, 1u) << portId;
        EXPECT_EQ(channel->profile, "basic") << portId;
    }
    EXPECT_EQ(ChannelOf(channels, 10103), nullptr);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// A disabled channel goes on without any check; the server refuses the first add: the operator is told once, as a
// failure to update, the port is marked and the run ends there.
TEST(McFastProvisionE2eTest, ARefusedAddMarksThePortAndEndsTheRun)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::AddBasicServiceProfile(program);
    program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    e2e::COperator& person = program.Operator();
    person.OnDialog<Dialog>([&](Dialog& dialog) {
        Choose(dialog, Dialog::kTypeId, QStringLiteral("ALC-24"));
        Click(dialog, Dialog::kDisabledId);
        Type(dialog, Dialog::kVciId, QStringLiteral("71"));
        person.OnDialog<List>([&](List& list) {
            QTreeView& ports = *list.FindList(kListControlId);
            server_test::CRawClient& probe = program.ServerProbe();
            const auto refuse = EncodeRecord(SimControlRec{kSimRefuseNextChange, kReqMcChannelAdd.value, 0, 0});
            EXPECT_TRUE(probe.ReplyTo(
                probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
            const size_t boxes = person.boxTexts.size();
            person.AnswerBox(IDOK);
            Click(list, List::kGoId);
            EXPECT_TRUE(program.WaitUntil([&] { return !list.IsRunning(); }));
            EXPECT_EQ(CellImage(ports, 0), kImageFailed);
            EXPECT_NE(CellImage(ports, 1), kImageDone) << "the run ended on the first port";
            EXPECT_EQ(person.boxTexts.size(), boxes + 1) << "one box";
            if (person.boxTexts.size() > boxes) {
                EXPECT_EQ(person.LastBoxText(),
                          QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            }
            EXPECT_TRUE(list.IsControlEnabled(List::kGoId));
            return IDCANCEL;
        });
        Click(dialog, Dialog::kListId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kCmdMcFastProvision));
    EXPECT_EQ(ChannelOf(program.ServerRecords(kReqMcChannel, e2e::kNorth1), 10101), nullptr);
    EXPECT_EQ(person.UnusedDialogScripts(), 0u);
}

// In direct mode the run writes the NE's own channels: the first card's ports with a PVC in service take the channel,
// and the run waits on the first port without one.
class McFastProvisionDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(McFastProvisionDirectE2eTest, InDirectModeTheNesPortsTakeTheChannel)
{
    const CNeRecord* ne = FindNeById(1);
    ASSERT_NE(ne, nullptr);
    const CEntityNode* card = ne->root != nullptr ? ne->root->FindById(10100) : nullptr;
    ASSERT_NE(card, nullptr);
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Dialog>([&](Dialog& dialog) {
        // The simulated NE has two shelves: both shelf combos can be chosen.
        EXPECT_TRUE(dialog.IsControlEnabled(Dialog::kShelfFromId));
        EXPECT_TRUE(dialog.IsControlEnabled(Dialog::kShelfToId));
        // Shelves are compared before slots: the second shelf's first slot comes after the first shelf's last, and
        // the first shelf's last slot before the second shelf's first.
        const std::array<int, 4> rangeIds = {Dialog::kShelfFromId, Dialog::kShelfToId, Dialog::kSlotFromId,
                                             Dialog::kSlotToId};
        QStringList chosen;
        for (int id : rangeIds)
            chosen << dialog.GetDlgItemAs<QComboBox>(id)->currentText();
        const auto chooseRange = [&](int fromShelf, int toShelf, bool fromLastSlot) {
            const auto item = [&](int id, int index) {
                auto* combo = dialog.GetDlgItemAs<QComboBox>(id);
                Choose(dialog, id, combo->itemText(index < 0 ? combo->count() - 1 : index));
            };
            item(Dialog::kShelfFromId, fromShelf);
            item(Dialog::kShelfToId, toShelf);
            item(Dialog::kSlotFromId, fromLastSlot ? -1 : 0);
            item(Dialog::kSlotToId, fromLastSlot ? 0 : -1);
        };
        chooseRange(1, 0, false);
        EXPECT_FALSE(dialog.IsControlEnabled(Dialog::kListId)) << "second shelf's first slot to first shelf's last";
        EXPECT_FALSE(dialog.IsControlEnabled(Dialog::kTypeId));
        chooseRange(0, 1, true);
        EXPECT_TRUE(dialog.IsControlEnabled(Dialog::kListId)) << "first shelf's last slot to second shelf's first";
        EXPECT_TRUE(dialog.IsControlEnabled(Dialog::kTypeId));
        for (size_t i = 0; i < rangeIds.size(); ++i)
            Choose(dialog, rangeIds[i], chosen.at(static_cast<qsizetype>(i)));
        EXPECT_TRUE(dialog.IsControlEnabled(Dialog::kListId));
        auto* type = dialog.GetDlgItemAs<QComboBox>(Dialog::kTypeId);
        const int model = type->findData(QVariant::fromValue<quint32>(card->GetModelId()));
        if (model < 0) {
            ADD_FAILURE() << "the first card's model is not offered";
            return IDCANCEL;
        }
        Choose(dialog, Dialog::kTypeId, type->itemText(model));
        EXPECT_EQ(e2e::Field(dialog.ProfilePage(), CMcProfilePage::kProfileId), QStringLiteral("basic"));
        Type(dialog, Dialog::kVciId, QStringLiteral("72"));
        Type(dialog, Dialog::kVlanId, QStringLiteral("100"));
        person.OnDialog<List>([&](List& list) {
            QTreeView& ports = *list.FindList(kListControlId);
            Click(list, List::kGoId);
            EXPECT_TRUE(program_.WaitUntil([&] { return !MessageLine(list).isEmpty(); }));
            EXPECT_EQ(MessageLine(list), QStringLiteral("This port doesn't has any active PVC"));
            EXPECT_EQ(CellImage(ports, RowOf(ports, 1, QStringLiteral("1-1-1"))), kImageDone);
            EXPECT_EQ(CellImage(ports, RowOf(ports, 1, QStringLiteral("1-1-2"))), kImageDone);
            Click(list, List::kStopId);
            return IDCANCEL;
        });
        Click(dialog, Dialog::kListId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdMcFastProvision));
    PvcKeyRec whole;
    whole.portId = 1;
    const RecordReply<McChannelRec> held = CRecordRequests().Query(kReqMcChannel, 1, whole);
    ASSERT_TRUE(held.Ok());
    for (uint32_t portId : {10101u, 10102u}) {
        const McChannelRec* channel = ChannelOf(held.records, portId);
        ASSERT_NE(channel, nullptr) << portId;
        EXPECT_EQ(channel->vci, 72) << portId;
        EXPECT_EQ(channel->vlanId, 100) << portId;
    }
}

} // namespace
