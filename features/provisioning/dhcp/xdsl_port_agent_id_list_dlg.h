#pragma once
// CXdslPortAgentIdListDlg ("xDSL Port Agent ID List", template 369): the option-82 agent circuit and remote IDs of
// the NE's xDSL ports (request 501), one row per port; Modify (or a double click) opens CXdslPortAgentIdDlg for the
// selected port, while the NE is in service. Export writes "AgentId".

#include "link/records/dhcp_agent_id_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <memory>
#include <optional>

namespace Ui {
class CXdslPortAgentIdListDlg;
}

class CXdslPortAgentIdListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 369;
    static constexpr int kSlotPortColumn = 1;

    explicit CXdslPortAgentIdListDlg(QWidget* parent = nullptr);
    ~CXdslPortAgentIdListDlg() override;

    void InitData() override;
    void OnModifyRecord(uint32_t portId) override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;

private:
    std::vector<ListColumn<DhcpAgentIdRec>> Columns();

    std::unique_ptr<Ui::CXdslPortAgentIdListDlg> ui_;
    CRecordList<DhcpAgentIdRec> rows_;
};
