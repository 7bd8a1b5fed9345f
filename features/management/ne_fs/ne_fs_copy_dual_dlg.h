#pragma once
// CNeFsCopyDualDlg (477, "NE File System Copy"): copies a firmware file of an NE with a master and a slave control
// module to the image partitions of either (CNeFsCopyBaseDlg). A copy that has ended well is unticked, so that
// after a failure the next OK copies only what is left; the message line points at where the failure lies.

#include "features/management/ne_fs/ne_fs_copy_base_dlg.h"

#include <memory>

namespace Ui {
class CNeFsCopyDualDlg;
}

class CNeFsCopyDualDlg : public CNeFsCopyBaseDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 477;
    static constexpr int kSlaveOpCodeACheckId = 1061;
    static constexpr int kSlaveOpCodeBCheckId = 1062;
    static constexpr int kSlaveOpCodeANameId = 1259;
    static constexpr int kSlaveOpCodeBNameId = 1260;

    explicit CNeFsCopyDualDlg(QWidget* parent = nullptr);
    ~CNeFsCopyDualDlg() override;

protected:
    bool ClearsCopiedDestinations() const override { return true; }

private:
    std::unique_ptr<Ui::CNeFsCopyDualDlg> ui_;
};
