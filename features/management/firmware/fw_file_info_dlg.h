#pragma once
// CFwFileInfoDlg ("Firmware File Information", template 397): what a local firmware image file is. After the image's
// check it shows the path, the version its header carries, and the NE model and firmware type whose configured type
// name (CWMFW, ADSLFW and ADSLBC of each NE model, section UPGRADE) is the header's; "unknown" when none is. A file
// that cannot be opened or fails its check is said so and the dialog closes. The opener gives the path.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class CFwFileInfoDlg;
}

class CFwFileInfoDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 397;
    static constexpr int kLocalFileId = 1166;
    static constexpr int kNeModelId = 1250;
    static constexpr int kFirmwareTypeId = 1361;
    static constexpr int kVersionId = 1191;

    explicit CFwFileInfoDlg(QWidget* parent = nullptr);
    ~CFwFileInfoDlg() override;

    void SetFilePath(const QString& path) { path_ = path; }
    void InitData() override;

private:
    std::unique_ptr<Ui::CFwFileInfoDlg> ui_;
    QString path_;
};
