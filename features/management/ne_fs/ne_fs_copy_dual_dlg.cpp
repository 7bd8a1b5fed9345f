#include "features/management/ne_fs/ne_fs_copy_dual_dlg.h"

#include "ui_ne_fs_copy_dual_dlg.h"

CNeFsCopyDualDlg::CNeFsCopyDualDlg(QWidget* parent)
    : CNeFsCopyBaseDlg(kTemplateId,
                       {{kMasterOpCodeACheckId, kMasterOpCodeANameId, 1, 1},
                        {kMasterOpCodeBCheckId, kMasterOpCodeBNameId, 2, 1},
                        {kSlaveOpCodeACheckId, kSlaveOpCodeANameId, 1, 2},
                        {kSlaveOpCodeBCheckId, kSlaveOpCodeBNameId, 2, 2}},
                       parent),
      ui_(std::make_unique<Ui::CNeFsCopyDualDlg>())
{
    ui_->setupUi(this);
}

CNeFsCopyDualDlg::~CNeFsCopyDualDlg() = default;
