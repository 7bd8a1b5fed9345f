// A change the server refuses, end to end: the operator renames a location to the name of another through the
// Location dialog. The server says why; the failure box shows the dialog's failure text with the server's reason;
// the dialog stays open with what the operator typed; and nothing changed, at the server or in the tree.

#include "tests/e2e/support/e2e_harness.h"

#include "link/records/location_record.h"
#include "link/records/request_codes.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/locations/location_list_dlg.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kLocationManagement = 33047;
// The failure box: the dialog's failure text, then the result of a text reply with the server's reason.
const QString kRefusedRename = QStringLiteral("Fail to update data\n\n(32028) Location name already exists");
using e2e::Click;
using e2e::Field;
using e2e::Type;

TEST(RefusalE2eTest, RenamingALocationToATakenNameShowsTheServersReasonAndChangesNothing)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    e2e::COperator& person = program.Operator();
    const std::vector<LocationRecord> before = program.ServerRecords(kReqLocation);
    ASSERT_EQ(before.size(), 3u);

    person.OnDialog<CLocationListDlg>([&](CLocationListDlg& list) {
        QTreeView& rows = *list.FindList(kListControlId);
        program.ClickListRow(rows, e2e::RowOf(rows, CLocationListDlg::kNameColumn, QStringLiteral("South")));
        person.OnDialog<CLocationDlg>([&](CLocationDlg& modify) {
            Type(modify, CLocationDlg::kNameId, QStringLiteral("North"));
            Click(modify, IDOK);
            EXPECT_EQ(person.boxTexts, std::vector<QString>{kRefusedRename});
            EXPECT_FALSE(modify.IsEnded());
            EXPECT_EQ(Field(modify, CLocationDlg::kNameId), QStringLiteral("North"));
            return IDCANCEL;
        });
        Click(list, kModifyButtonId);
        EXPECT_NE(e2e::RowOf(rows, CLocationListDlg::kNameColumn, QStringLiteral("South")), -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(kLocationManagement));

    EXPECT_EQ(program.ServerRecords(kReqLocation), before);
    program.Settle();
    EXPECT_NE(program.TreeItem(QStringLiteral("South")), nullptr);
}

} // namespace
