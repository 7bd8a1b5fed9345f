#pragma once
// CNeFsCopyDlg (476, "NE File System Copy"): copies a firmware file of an NE with one control module to its image
// partitions, "opCodeA" and "opCodeB" (CNeFsCopyBaseDlg). After a failed copy a new OK copies every ticked
// partition again.

#include "features/management/ne_fs/ne_fs_copy_base_dlg.h"

#include <memory>

namespace Ui {
class CNeFsCopyDlg;
}

class CNeFsCopyDlg : public CNeFsCopyBaseDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 476;

    explicit CNeFsCopyDlg(QWidget* parent = nullptr);
    ~CNeFsCopyDlg() override;

protected:
    bool ClearsCopiedDestinations() const override { return false; }

private:
    std::unique_ptr<Ui::CNeFsCopyDlg> ui_;
};
