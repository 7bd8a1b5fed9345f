#pragma once
// CSvrOptNmsPage ("North Bound", template 317), a page of Server Management: the server's north-bound SNMP agent, its
// UDP port (1..65535) and community, whether it sends traps, whether managers it does not know may use it, and the
// five NMS managers it sends its traps to, each an address and a trap port (an empty row: none). Modify (also a double
// click, Enter and the row's context menu) edits the selected row in the "IP Address" dialog: an address of 0.0.0.0
// empties the row. Export writes the managers under the stem "SvrOptNms". The page exchanges its controls and its rows
// with the values its container holds.

#include "features/management/server/server_option_rules.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <memory>

namespace Ui {
class CSvrOptNmsPage;
}

class CSvrOptNmsPage : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 317;
    static constexpr int kAgentPortId = 1326;
    static constexpr int kCommunityId = 1094;
    static constexpr int kTrapsDisabledId = 1134;
    static constexpr int kTrapsEnabledId = 1153;
    static constexpr int kAllowUnknownId = 1154;
    static constexpr char kExportStem[] = "SvrOptNms";
    // A row without a manager offers this trap port.
    static constexpr uint16_t kDefaultTrapPort = 20162;

    CSvrOptNmsPage(ServerOptionValues& values, QWidget* parent = nullptr);
    ~CSvrOptNmsPage() override;

    // The rows show the managers the values hold now.
    void ShowManagers();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnModifyRecord(uint32_t row) override;
    void OnExport() override;

private:
    ServerOptionValues& values_;
    std::unique_ptr<Ui::CSvrOptNmsPage> ui_;
    CTableRecordList<NmsManagerRow> rows_;
};
