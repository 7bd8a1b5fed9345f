#pragma once
// The steps of the end-to-end tests on the profile lists and editors: a tab of the list clicked, a kind's page list,
// a profile found by its name among records read from a peer, the names of records sorted, records added on the
// server as another workstation would, and an editor's OK refused on a name with a blank, then taken on a good one.

#include "tests/e2e/support/e2e_harness.h"

#include "features/provisioning/profiles/profile_list_dlg.h"
#include "link/records/record_codec.h"
#include "link/records/request_codes.h"

#include <QString>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Clicks the tab of the dialog's tab bar (the profile list's, unless given), as with the mouse.
inline void ClickTab(CDialog& dialog, int index, int tabBarId = CProfileListDlg::kTabId)
{
    auto* tabs = dialog.GetDlgItemAs<QTabBar>(tabBarId);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

inline QTreeView& PageList(CProfileListDlg& dialog, ProfileKindId kind)
{
    return *dialog.PageOfKind(kind)->FindList(kListControlId);
}

template <class Rec> std::optional<Rec> Named(const std::vector<Rec>& records, const std::string& name)
{
    const auto found = std::find_if(records.begin(), records.end(), [&](const Rec& rec) { return rec.name == name; });
    return found != records.end() ? std::optional<Rec>(*found) : std::nullopt;
}

template <class Rec> std::vector<std::string> SortedNames(const std::vector<Rec>& records)
{
    std::vector<std::string> names;
    for (const Rec& rec : records)
        names.push_back(rec.name);
    std::sort(names.begin(), names.end());
    return names;
}

// Adds the records on the NE through the server, as another workstation would; the server must take them.
template <class Rec>
void AddOnServer(CProgram& program, RequestCode<Rec> code, uint32_t neId, const std::vector<Rec>& records)
{
    server_test::CRawClient& probe = program.ServerProbe();
    const std::optional<Frame> reply =
        probe.ReplyTo(probe.Send(2, code, neId, EncodeRecords(records), kRecordSize<Rec>));
    ASSERT_TRUE(reply && reply->header.status == 0);
}

// OK on the name typed, which holds a blank: refused with the characters a name takes. Then `name` typed, the
// editor's screenshot `shot` saved and OK clicked.
inline void RetypeRefusedName(CADialog& editor, int nameId, const QString& name, const QString& shot)
{
    Click(editor, IDOK);
    EXPECT_EQ(MessageLine(editor), QStringLiteral("Valid characters are in '0'..'9', 'a'..'z', 'A'..'Z', or '-_.@'"));
    Type(editor, nameId, name);
    EXPECT_TRUE(CProgram::SaveScreenshot(editor, shot));
    Click(editor, IDOK);
}

} // namespace e2e
