#pragma once
// CXdslLoopDiagRateDlg (template 297): the Rate page of the loop diagnosis, five items of the line with their
// downstream and upstream values: attainable rate (bit/s), loop and signal attenuation (0.1 dB), SNR margin (0.1 dB)
// and transmit power (0.1 dBm), as the last result gave them ("--" without one). Its popup's Export and Close are the
// owner's.
//
//     page.Reset();                      // every value "--"
//     page.SetValues(downstream, upstream);

#include "features/performance/common/up_down_rows.h"
#include "ui/framework/dialogs/record_list.h"

#include <array>
#include <memory>

namespace Ui {
class CXdslLoopDiagRateDlg;
}

struct LoopDiagResultRec;

class CXdslLoopDiagRateDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 297;
    static constexpr size_t kItemCount = 5;
    using Values = std::array<int32_t, kItemCount>;

    explicit CXdslLoopDiagRateDlg(QWidget* parent = nullptr);
    ~CXdslLoopDiagRateDlg() override;

    void Reset();
    void SetValues(const Values& downstream, const Values& upstream);
    // The five items of each direction of a result.
    static Values DownstreamOf(const LoopDiagResultRec& rec);
    static Values UpstreamOf(const LoopDiagResultRec& rec);
    bool HasData() const { return hasData_; }
    void SetHasData(bool on) { hasData_ = on; }

    void InitData() override;
    bool OnCommand(int id, int code) override;
    void OnRefresh() override {}

private:
    std::unique_ptr<Ui::CXdslLoopDiagRateDlg> ui_;
    CRecordList<UpDownRow> rows_;
    bool hasData_ = false;
};
