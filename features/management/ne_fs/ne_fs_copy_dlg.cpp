#include "features/management/ne_fs/ne_fs_copy_dlg.h"

#include "ui_ne_fs_copy_dlg.h"

CNeFsCopyDlg::CNeFsCopyDlg(QWidget* parent)
    : CNeFsCopyBaseDlg(
          kTemplateId,
          {{kMasterOpCodeACheckId, kMasterOpCodeANameId, 1, 1}, {kMasterOpCodeBCheckId, kMasterOpCodeBNameId, 2, 1}},
          parent),
      ui_(std::make_unique<Ui::CNeFsCopyDlg>())
{
    ui_->setupUi(this);
}

CNeFsCopyDlg::~CNeFsCopyDlg() = default;
