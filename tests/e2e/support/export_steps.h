#pragma once
// What a dialog's Export offers: the operator presses Export, the Export dialog that comes up is read (a TAB-delimited
// file is expected of every list) and cancelled.

#include "tests/e2e/support/e2e_harness.h"
#include "tests/e2e/support/operator_actions.h"

#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/lists/export_dlg.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {

// The file stem the Export dialog was given; empty when none came up. `button` is the list's Export button.
inline std::string ExportStem(CProgram& program, CDialog& dialog, int button = kExportButtonId)
{
    std::string stem;
    program.Operator().OnDialog<CExportDlg>([&](CExportDlg& exporting) {
        stem = exporting.GetStem();
        EXPECT_EQ(exporting.GetDelimiter(), '\t');
        return IDCANCEL;
    });
    Click(dialog, button);
    return stem;
}

} // namespace e2e
