// The VC fields of the PVC and multicast channel dialogs: a spin steps its own edit within the field's range (VPI
// 0..255, VCI 32..65535, VLAN ID 1..4094), a dialog without a VLAN ID leaves that spin's notice to others, and the
// data exchange refuses a value outside its field's range.

#include "features/provisioning/pvcs/vc_fields.h"

#include "platform/scripted_runners.h"
#include "tests/ui/framework/framework_test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr VcFieldIds kIds{1376, 1379, 1371, 1374, 1199, 1202};

class CVcDlg : public CTestDlg {
public:
    CVcDlg()
    {
        for (int id : {kIds.vpi, kIds.vci, kIds.vlan}) {
            auto* edit = new QLineEdit(this);
            SetCtrlId(edit, id);
        }
    }
    void DoDataExchange(CDataExchange& dx) override { ExchangeVcFields(dx, *this, ids, values); }
    QLineEdit& Edit(int id) { return *GetDlgItemAs<QLineEdit>(id); }

    VcFieldIds ids = kIds;
    VcFieldValues values;
};

NotifyHeader Spin(int spinId, int delta)
{
    NotifyHeader header;
    header.idFrom = spinId;
    header.code = UDN_DELTAPOS;
    header.delta = delta;
    return header;
}

TEST(VcFieldsTest, ASpinStepsItsOwnEditWithinItsRange)
{
    struct Case {
        int spin;
        int edit;
        const char* shown;
        int delta;
        const char* stepped;
    };
    const Case cases[] = {
        {kIds.vpiSpin, kIds.vpi, "254", +1, "255"},     {kIds.vpiSpin, kIds.vpi, "255", +1, "255"},
        {kIds.vciSpin, kIds.vci, "32", -1, "32"},       {kIds.vciSpin, kIds.vci, "300", +1, "301"},
        {kIds.vlanSpin, kIds.vlan, "4094", +1, "4094"}, {kIds.vlanSpin, kIds.vlan, "1", -1, "1"},
    };
    for (const Case& c : cases) {
        CVcDlg dialog;
        dialog.Edit(c.edit).setText(QString::fromLatin1(c.shown));
        EXPECT_TRUE(StepVcFieldSpin(dialog, dialog.ids, Spin(c.spin, c.delta)));
        EXPECT_EQ(dialog.Edit(c.edit).text(), QString::fromLatin1(c.stepped)) << c.shown << " " << c.delta;
    }
    CVcDlg without;
    without.ids.vlan = without.ids.vlanSpin = 0;
    EXPECT_FALSE(StepVcFieldSpin(without, without.ids, Spin(kIds.vlanSpin, 1)));
    EXPECT_FALSE(StepVcFieldSpin(without, without.ids, Spin(kListControlId, 1)));
}

TEST(VcFieldsTest, TheExchangeRefusesAValueOutsideItsField)
{
    LoadProgramStrings();
    // A refusal's message is answered at once.
    ScriptedModalRunner dialogs;
    ScriptedMessageBoxes boxes;
    struct Case {
        const char* vpi;
        const char* vci;
        const char* vlan;
        bool taken;
    };
    const Case cases[] = {
        {"0", "32", "1", true},  {"255", "65535", "4094", true}, {"256", "32", "1", false},
        {"0", "31", "1", false}, {"0", "32", "4095", false},     {"0", "32", "0", false},
    };
    for (const Case& c : cases) {
        CVcDlg dialog;
        dialog.Edit(kIds.vpi).setText(QString::fromLatin1(c.vpi));
        dialog.Edit(kIds.vci).setText(QString::fromLatin1(c.vci));
        dialog.Edit(kIds.vlan).setText(QString::fromLatin1(c.vlan));
        EXPECT_EQ(dialog.UpdateDialogData(), c.taken) << c.vpi << "/" << c.vci << " " << c.vlan;
    }
}

} // namespace
