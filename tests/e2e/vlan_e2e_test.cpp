// VLAN membership and VLAN MAC limits in the running program. The membership matrix of the two-shelf South-1 shows the
// line ports of each line-card slot and the uplinks from the bits the NE's record gives them, leaves out a record of
// no VLAN, and is closed after "No data" when the NE reports none. The MAC limit list walks the 4,094 VLAN IDs by its
// range and page buttons; a limit is pulled into the NE's range, refused below what the VLAN's PVCs have taken when
// enabled, and written; the server refuses one write. The same limits are changed on an NE in direct mode.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/north1_test.h"

#include "features/provisioning/vlans/vlan_mac_limit_dlg.h"
#include "features/provisioning/vlans/vlan_mac_limit_list_dlg.h"
#include "features/provisioning/vlans/vlan_membership_list_dlg.h"
#include "link/ems_msg.h"
#include "link/records/request_codes.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "platform/delta_spin.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/small_images.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QListWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int kCmdVlanMembership = 33127, kCmdVlanMacLimits = 33181;
constexpr uint32_t kNorth1 = 1;
constexpr int kFromId = 1304, kToId = 1306, kSpinId = 1305, kToFirstId = 1169, kBackId = 1277, kForwardId = 1264,
              kToLastId = 1211;
using Matrix = CVlanMembershipListDlg;
using Limits = CVlanMacLimitListDlg;
using Limit = CVlanMacLimitDlg;
using e2e::Check;
using e2e::Click;
using e2e::Field;
using e2e::ListColumn;
using e2e::MessageLine;
using e2e::RowOf;
using e2e::Type;

void Refuse(e2e::CProgram& program, uint32_t action, uint16_t code)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const auto refuse = EncodeRecord(SimControlRec{action, code, 0, 0});
    ASSERT_TRUE(
        probe.ReplyTo(probe.Send(kEmsOpModify, kReqSimControl, 0, {refuse.begin(), refuse.end()}, kSimControlRecSize)));
}

void ChooseVlan(Matrix& matrix, const QString& vlan)
{
    auto* vlans = matrix.GetDlgItemAs<QListWidget>(Matrix::kVlanListId);
    const QList<QListWidgetItem*> found = vlans->findItems(vlan, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << vlan.toStdString();
    vlans->setCurrentItem(found.front());
}

// The cells of a matrix row's ten port columns.
QStringList PortCells(QTreeView& rows, int row)
{
    QStringList cells;
    for (int column = Matrix::kFirstPortColumn; column < Matrix::kFirstPortColumn + Matrix::kPortColumns; ++column)
        cells << ListColumn(rows, column).at(row);
    return cells;
}

QStringList Repeat(const QString& text, int times)
{
    QStringList list;
    for (int i = 0; i < times; ++i)
        list << text;
    return list;
}

TEST(VlanE2eTest, TheMembershipOfATwoShelfNeShowsItsUplinksFromTheirBits)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginAsAdminAt(QStringLiteral("South-1")));
    e2e::COperator& person = program.Operator();

    person.OnDialog<Matrix>([&](Matrix& matrix) {
        QTreeView& rows = *matrix.FindList(kListControlId);
        auto* vlans = matrix.GetDlgItemAs<QListWidget>(Matrix::kVlanListId);
        ASSERT_EQ(vlans->count(), 2) << "VLAN 4095 is no VLAN";
        EXPECT_EQ(vlans->item(0)->text(), QStringLiteral("100"));
        // 40 line-card slots of five rows each, and the uplinks.
        const QStringList slotTexts = ListColumn(rows, 1);
        ASSERT_EQ(slotTexts.size(), 201);
        EXPECT_EQ(slotTexts.front(), QStringLiteral("1-1"));
        EXPECT_EQ(slotTexts.at(5), QStringLiteral("1-2"));
        EXPECT_EQ(slotTexts.at(100), QStringLiteral("2-1")) << "the expansion shelf's first slot";
        EXPECT_EQ(slotTexts.back(), QStringLiteral("NC"));
        EXPECT_EQ(ListColumn(rows, 2).at(4), QStringLiteral("41-48"));
        EXPECT_EQ(ListColumn(rows, 2).back(), QStringLiteral("GE"));

        EXPECT_EQ(PortCells(rows, 0), Repeat(QStringLiteral("Y"), 10));
        EXPECT_EQ(PortCells(rows, 1), Repeat(QStringLiteral("Y"), 2) + Repeat(QStringLiteral("N"), 8));
        EXPECT_EQ(PortCells(rows, 9),
                  Repeat(QStringLiteral("N"), 6) + Repeat(QStringLiteral("Y"), 2) + Repeat(QString(), 2));
        EXPECT_EQ(e2e::CellImage(rows, 0, Matrix::kFirstPortColumn), kImageMember);
        EXPECT_EQ(e2e::CellImage(rows, 1, Matrix::kFirstPortColumn + 2), kImageNonMember);
        const int uplinks = 200;
        EXPECT_EQ(PortCells(rows, uplinks), Repeat(QStringLiteral("Y"), 2) + Repeat(QString(), 8));
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(matrix, QStringLiteral("vlan_membership")));

        ChooseVlan(matrix, QStringLiteral("300"));
        EXPECT_EQ(PortCells(rows, 0).front(), QStringLiteral("Y"));
        EXPECT_EQ(PortCells(rows, 13 * 5 + 4).at(7), QStringLiteral("Y")) << "port 48 of the fourteenth slot";
        EXPECT_EQ(PortCells(rows, uplinks).mid(0, 2), (QStringList{QStringLiteral("N"), QStringLiteral("Y")}));
        EXPECT_EQ(PortCells(rows, 14 * 5), Repeat(QStringLiteral("N"), 10)) << "a slot past the bitmap";
    });
    ASSERT_TRUE(program.Command(kCmdVlanMembership));

    // The NE's VLANs cannot be read: nothing to show.
    Refuse(program, kSimRefuseNextRequest, kReqVlanMembership);
    person.OnDialog<Matrix>([&](Matrix& matrix) { EXPECT_TRUE(matrix.IsEnded()); });
    ASSERT_TRUE(program.Command(kCmdVlanMembership));
    ASSERT_GE(person.boxTexts.size(), 2u);
    EXPECT_EQ(person.boxTexts.at(person.boxTexts.size() - 2),
              QStringLiteral("Fail to query\n\n(32028) Request refused by the server"));
    EXPECT_EQ(person.LastBoxText(), QStringLiteral("No data")) << "told as the dialog closes";
}

class VlanMacLimitE2eTest : public e2e::CNorth1Test {};

TEST_F(VlanMacLimitE2eTest, TheMacLimitsArePagedOverEveryVlanAndOneIsChanged)
{
    e2e::COperator& person = program_.Operator();

    person.OnDialog<Limits>([&](Limits& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        const auto vlans = [&] { return ListColumn(rows, 1); };
        EXPECT_EQ(vlans(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        EXPECT_EQ(ListColumn(rows, 2), Repeat(QStringLiteral("disabled"), 2));
        EXPECT_EQ(ListColumn(rows, 3), Repeat(QStringLiteral("1536"), 2)) << "384 for each of 4 line-card slots";
        EXPECT_FALSE(list.IsControlEnabled(kToFirstId));

        // A range typed the wrong way round is made whole.
        Type(list, kFromId, QStringLiteral("10"));
        Type(list, kToId, QStringLiteral("1"));
        Click(list, kRefreshButtonId);
        EXPECT_EQ(Field(list, kFromId), QStringLiteral("1"));
        EXPECT_EQ(Field(list, kToId), QStringLiteral("10"));
        EXPECT_EQ(vlans().size(), 10);
        // Each end of 1..4094 is taken, one past it is pulled back to it.
        const struct {
            const char* from;
            const char* to;
            QStringList shown;
        } ends[] = {{"0", "0", {"1"}},
                    {"1", "1", {"1"}},
                    {"4094", "4094", {"4094"}},
                    {"4095", "4095", {"4094"}},
                    {"4093", "4095", {"4093", "4094"}}};
        for (const auto& end : ends) {
            Type(list, kFromId, QString::fromLatin1(end.from));
            Type(list, kToId, QString::fromLatin1(end.to));
            Click(list, kRefreshButtonId);
            EXPECT_EQ(vlans(), end.shown) << end.from << ".." << end.to;
        }
        Type(list, kFromId, QStringLiteral("1"));
        Type(list, kToId, QStringLiteral("10"));
        Click(list, kRefreshButtonId);

        Click(list, kToLastId);
        EXPECT_EQ(vlans(), (QStringList{QStringLiteral("4091"), QStringLiteral("4092"), QStringLiteral("4093"),
                                        QStringLiteral("4094")}));
        EXPECT_EQ(ListColumn(rows, 2).back(), QStringLiteral("enabled"));
        EXPECT_EQ(ListColumn(rows, 3).back(), QStringLiteral("48"));
        EXPECT_FALSE(list.IsControlEnabled(kForwardId));
        Click(list, kToFirstId);
        EXPECT_EQ(vlans().front(), QStringLiteral("1"));
        EXPECT_EQ(vlans().size(), 4);
        Click(list, kForwardId);
        EXPECT_EQ(vlans().front(), QStringLiteral("5"));
        Click(list, kBackId);
        EXPECT_EQ(vlans().front(), QStringLiteral("1"));
        // The spin moves the range and reads it, as the page buttons do: up toward VLAN 1, down away from it.
        EXPECT_TRUE(list.IsControlEnabled(kSpinId));
        list.GetDlgItemAs<DeltaSpin>(kSpinId)->Step(-1);
        EXPECT_EQ(Field(list, kFromId), QStringLiteral("5"));
        EXPECT_EQ(vlans(),
                  (QStringList{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")}));
        EXPECT_TRUE(list.IsControlEnabled(kBackId)) << "the button states follow the move";
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("vlan_mac_limit_list_spun")));
        list.GetDlgItemAs<DeltaSpin>(kSpinId)->Step(1);
        EXPECT_EQ(vlans().front(), QStringLiteral("1"));
        EXPECT_FALSE(list.IsControlEnabled(kBackId));

        // A range of one VLAN has no spin.
        Type(list, kFromId, QStringLiteral("7"));
        Type(list, kToId, QStringLiteral("7"));
        Click(list, kRefreshButtonId);
        EXPECT_EQ(vlans(), (QStringList{QStringLiteral("7")}));
        EXPECT_FALSE(list.IsControlEnabled(kSpinId));

        // Every VLAN at once.
        Type(list, kFromId, QStringLiteral("1"));
        Type(list, kToId, QStringLiteral("4094"));
        Click(list, kRefreshButtonId);
        ASSERT_EQ(vlans().size(), 4094);
        EXPECT_FALSE(list.IsControlEnabled(kSpinId));
        EXPECT_EQ(ListColumn(rows, 3).at(99), QStringLiteral("200"));

        Type(list, kFromId, QStringLiteral("95"));
        Type(list, kToId, QStringLiteral("104"));
        Click(list, kRefreshButtonId);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(list, QStringLiteral("vlan_mac_limit_list")));
        program_.ClickListRow(rows, RowOf(rows, 1, QStringLiteral("100")));
        person.OnDialog<Limit>([&](Limit& limit) {
            EXPECT_EQ(Field(limit, Limit::kVlanId), QStringLiteral("100"));
            EXPECT_TRUE(e2e::IsChecked(limit, Limit::kEnabledId));
            EXPECT_EQ(Field(limit, Limit::kLimitId), QStringLiteral("200"));
            // Left above the highest limit, it is pulled back.
            Type(limit, Limit::kLimitId, QStringLiteral("5000"));
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(limit.GetDlgItem(Limit::kLimitId), &out);
            EXPECT_EQ(Field(limit, Limit::kLimitId), QStringLiteral("1536"));
            // Left at 0, it is raised to 1.
            Type(limit, Limit::kLimitId, QStringLiteral("0"));
            QCoreApplication::sendEvent(limit.GetDlgItem(Limit::kLimitId), &out);
            EXPECT_EQ(Field(limit, Limit::kLimitId), QStringLiteral("1"));
            // Enabled below the 24 units the VLAN's PVCs have taken.
            Type(limit, Limit::kLimitId, QStringLiteral("20"));
            Click(limit, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Enabled PVC MAC limit and MCAU channels should not be "
                                                           "greater than VLAN MAC limit"));
            EXPECT_FALSE(limit.IsEnded());
            EXPECT_TRUE(e2e::CProgram::SaveScreenshot(limit, QStringLiteral("vlan_mac_limit")));
            // Refused once by the server.
            Refuse(program_, kSimRefuseNextChange, kReqVlanMacLimit);
            Check(limit, Limit::kDisabledId);
            Click(limit, IDOK);
            EXPECT_EQ(person.LastBoxText(),
                      QStringLiteral("Fail to update data\n\n(32028) Change refused by the server"));
            EXPECT_FALSE(limit.IsEnded());
            Click(limit, IDOK);
            EXPECT_TRUE(limit.IsEnded());
        });
        Click(list, kModifyButtonId);
        const int row = RowOf(rows, 1, QStringLiteral("100"));
        EXPECT_EQ(ListColumn(rows, 2).at(row), QStringLiteral("disabled"));
        EXPECT_EQ(ListColumn(rows, 3).at(row), QStringLiteral("20"));
        EXPECT_EQ(e2e::CellImage(rows, row, 2), kImageDisabled);
    });
    ASSERT_TRUE(program_.Command(kCmdVlanMacLimits));

    const std::vector<VlanMacLimitRec> limits = program_.ServerRecords(kReqVlanMacLimit, kNorth1);
    const auto vlan100 =
        std::find_if(limits.begin(), limits.end(), [](const VlanMacLimitRec& rec) { return rec.vlanId == 100; });
    ASSERT_NE(vlan100, limits.end());
    EXPECT_EQ(*vlan100, (VlanMacLimitRec{100, 20, 2}));
}

// A VLAN the NE holds no limit for opens on limit 1, Disabled. An enabled limit one below the 24 units VLAN 100's PVCs
// have taken is refused; at them it is written.
TEST_F(VlanMacLimitE2eTest, TheLimitOpensOnItsDefaultsAndMayEqualTheCommittedUnits)
{
    e2e::COperator& person = program_.Operator();
    person.OnDialog<Limits>([&](Limits& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        program_.ClickListRow(rows, RowOf(rows, 1, QStringLiteral("1")));
        person.OnDialog<Limit>([&](Limit& limit) {
            EXPECT_EQ(Field(limit, Limit::kLimitId), QStringLiteral("1"));
            EXPECT_TRUE(e2e::IsChecked(limit, Limit::kDisabledId));
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        Type(list, kFromId, QStringLiteral("100"));
        Type(list, kToId, QStringLiteral("100"));
        Click(list, kRefreshButtonId);
        program_.ClickListRow(rows, RowOf(rows, 1, QStringLiteral("100")));
        person.OnDialog<Limit>([&](Limit& limit) {
            Check(limit, Limit::kEnabledId);
            for (const auto& [typed, taken] : {std::pair{"23", false}, std::pair{"24", true}}) {
                Type(limit, Limit::kLimitId, QString::fromLatin1(typed));
                Click(limit, IDOK);
                EXPECT_EQ(limit.IsEnded(), taken) << typed;
            }
        });
        Click(list, kModifyButtonId);
    });
    ASSERT_TRUE(program_.Command(kCmdVlanMacLimits));
    const std::vector<VlanMacLimitRec> limits = program_.ServerRecords(kReqVlanMacLimit, kNorth1);
    EXPECT_NE(std::find(limits.begin(), limits.end(), VlanMacLimitRec{100, 24, 1}), limits.end());
}

// In direct mode the NE answers for itself: 384 for each of its 40 line-card slots, and the units its own PVCs and
// channels have taken.
TEST(VlanE2eTest, TheMacLimitsOfAnNeInDirectMode)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.LoginToTheNe());
    e2e::COperator& person = program.Operator();

    person.OnDialog<Limits>([&](Limits& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        Type(list, kFromId, QStringLiteral("99"));
        Type(list, kToId, QStringLiteral("101"));
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(rows, 3),
                  (QStringList{QStringLiteral("15360"), QStringLiteral("500"), QStringLiteral("15360")}));
        program.ClickListRow(rows, RowOf(rows, 1, QStringLiteral("100")));
        person.OnDialog<Limit>([&](Limit& limit) {
            Type(limit, Limit::kLimitId, QStringLiteral("39"));
            Click(limit, IDOK);
            EXPECT_EQ(person.LastBoxText(), QStringLiteral("Enabled PVC MAC limit and MCAU channels should not be "
                                                           "greater than VLAN MAC limit"));
            Type(limit, Limit::kLimitId, QStringLiteral("40"));
            Click(limit, IDOK);
            EXPECT_TRUE(limit.IsEnded());
        });
        Click(list, kModifyButtonId);
        Click(list, kRefreshButtonId);
        EXPECT_EQ(ListColumn(rows, 3).at(RowOf(rows, 1, QStringLiteral("100"))), QStringLiteral("40"))
            << "read back from the NE";
    });
    ASSERT_TRUE(program.Command(kCmdVlanMacLimits));
}

} // namespace
