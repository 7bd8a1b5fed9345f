#pragma once
// CNeFsListDlg (459, "NE File System List"): the files on the target NE's flash file system, partition by
// partition, with Delete, Copy and Export. A firmware file of an image partition is copied to the other image
// partition (and on an NE with two control modules also to the slave's) through the copy dialogs, chosen by the
// NE's model; the configuration files are not copied, and "mac.cfg", drawn grey, is not deleted either. A delete
// goes to the NE at once; after copies the list asks the NE again.

#include "link/records/ne_fs_file_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/dialogs/row_numbers.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CNeFsListDlg;
}

class CNeFsListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 459;
    static constexpr int kCopyButtonId = 1054;
    static constexpr int kPopupCopy = 33006;
    static constexpr RowCommand kRowCopy{kCopyButtonId, kPopupCopy};
    // Columns of the list.
    static constexpr int kNumberColumn = 0;
    static constexpr int kDeviceColumn = 1;
    static constexpr int kNameColumn = 2;
    static constexpr int kSizeColumn = 3;
    static constexpr int kTimeColumn = 4;

    explicit CNeFsListDlg(QWidget* parent = nullptr);
    ~CNeFsListDlg() override;

    void InitData() override;
    void GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                       int listId) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;
    void OnDeleteRecord(uint32_t key) override;
    int OnCommandHook(int id, int code) override;

private:
    uint32_t KeyOf(const NeFsFileRecord& file);
    // Copies the selected file through the copy dialog the NE's model asks for.
    void OnCopy();

    std::unique_ptr<Ui::CNeFsListDlg> ui_;
    CRowNumbers keys_;
    CRecordList<NeFsFileRecord> rows_;
};
