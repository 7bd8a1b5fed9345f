// SHDSL in direct mode: the simulated NE answers the SHDSL port list, the port dialog's profiles and write, a port's
// reset, the rate status, the current and history PM of each side and the SHDSL profiles through its private subtree.

#include "tests/e2e/support/direct_ne_test.h"

#include "features/performance/pm/shdsl_cur_pm_dlg.h"
#include "features/performance/pm/shdsl_his_pm_dlg.h"
#include "features/performance/rate_status/shdsl_rate_status_dlg.h"
#include "features/provisioning/profiles/profile_list_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_dlg.h"
#include "features/provisioning/shdsl/shdsl_port_list_dlg.h"

#include <QTreeView>

#include <gtest/gtest.h>

namespace {

constexpr int kCmdShdslPorts = 33177;
constexpr int kCmdShdslProfile = 33081;
using e2e::Choose;
using e2e::Click;
using e2e::ListColumn;
using List = CShdslPortListDlg;
using Port = CShdslPortDlg;

class ShdslDirectE2eTest : public e2e::CDirectNeTest {};

TEST_F(ShdslDirectE2eTest, TheNeAnswersItsShdslPortsRatesAndProfilesThroughItsPrivateSubtree)
{
    e2e::COperator& person = program_.Operator();

    person.OnDialog<List>([&](List& ports) {
        EXPECT_EQ(ListColumn(ports, List::kSlotPortColumn).join(','), QStringLiteral("2-4-1,2-4-2,2-4-3,2-4-4"));
        EXPECT_EQ(ListColumn(ports, List::kOperColumn).join(','), QStringLiteral("up,down,up,down"));
        program_.ClickListRow(*ports.FindList(kListControlId), 0);
        person.OnDialog<Port>([&](Port& port) {
            // The port opens on its profiles and state as the NE has them.
            EXPECT_EQ(e2e::Field(port, Port::kLineProfileComboId), QStringLiteral("shdsl-2m"));
            EXPECT_EQ(e2e::Field(port, Port::kPmThresholdComboId), QStringLiteral("shdsl-alarm"));
            EXPECT_TRUE(e2e::IsChecked(port, Port::kEnabledRadioId));
            EXPECT_EQ(e2e::ComboTexts(port, Port::kLineProfileComboId),
                      QStringLiteral(" <none>,shdsl-2m,shdsl-fixed-1m"));
            EXPECT_TRUE(Choose(port, Port::kLineProfileComboId, QStringLiteral("shdsl-fixed-1m")));
            Click(port, IDOK);
            EXPECT_TRUE(port.IsEnded());
        });
        Click(ports, kModifyButtonId);
        Click(ports, kRefreshButtonId);
        EXPECT_EQ(ListColumn(ports, List::kLineProfileColumn).value(0), QStringLiteral("shdsl-fixed-1m"))
            << "read back as the NE keeps it";

        // The NE resets the port the operator chose.
        program_.ClickListRow(*ports.FindList(kListControlId), 1);
        EXPECT_TRUE(ports.IsControlEnabled(List::kResetButtonId));
        person.AnswerBox(IDYES);
        const size_t boxes = person.boxTexts.size();
        Click(ports, List::kResetButtonId);
        EXPECT_EQ(person.boxTexts.size(), boxes + 1);
        EXPECT_EQ(person.LastBoxText(), QStringLiteral("Are you sure to reset this line port?"));
        EXPECT_EQ(e2e::MessageLine(ports), QStringLiteral("Complete resetting the line port"));

        person.OnDialog<CShdslRateStatusDlg>([&](CShdslRateStatusDlg& status) {
            EXPECT_EQ(ListColumn(status, 1).join(','), QStringLiteral("2312,2312,Annex A & B,12,5,11,6"));
            return IDCANCEL;
        });
        Click(ports, List::kRateStatusButtonId);

        // The first port's PM, each side's rows its own.
        program_.ClickListRow(*ports.FindList(kListControlId), 0);
        person.OnDialog<CShdslCurPmDlg>([&](CShdslCurPmDlg& pm) {
            EXPECT_EQ(ListColumn(pm, 2).join(','), QStringLiteral("3,6,11,21,300,600,700,1400"));
            EXPECT_EQ(e2e::Field(pm, CShdslCurPmDlg::k15MinElapsedId), QStringLiteral("300"));
            return IDCANCEL;
        });
        Click(ports, List::kCurrentPmButtonId);
        person.OnDialog<CShdslHisPmDlg>([&](CShdslHisPmDlg& pm) {
            QStringList errored = ListColumn(pm, CShdslHisPmDlg::kEsColumn);
            errored.sort();
            EXPECT_EQ(errored.join(','), QStringLiteral("11,12,21,22"));
            return IDCANCEL;
        });
        Click(ports, List::kHistoryPmButtonId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslPorts));

    person.OnDialog<CProfileListDlg>([&](CProfileListDlg& list) {
        QTreeView& rows = *list.PageOfKind(ProfileKindId::kShdslLine)->FindList(kListControlId);
        EXPECT_EQ(e2e::ListColumn(rows, 0).join(','), QStringLiteral("shdsl-2m,shdsl-fixed-1m"));
        return IDCANCEL;
    });
    ASSERT_TRUE(program_.Command(kCmdShdslProfile));
    EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
}

} // namespace
