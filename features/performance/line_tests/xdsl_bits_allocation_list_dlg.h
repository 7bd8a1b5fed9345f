#pragma once
// CXdslBitsAllocationListDlg (template 296): a page that shows one value per ADSL tone in two columns, upstream (tones
// 0..63) and downstream (tones 0..511), a row per tone, and draws them as a graph over the tones. The bits allocation
// dialog holds one, the loop diagnosis dialog three (Magnitude, Quiet Line PSD, SNR) and the loop monitoring dialog
// two, as tab pages. The owner gives the display before the page is created, then the values and the graph's texts:
//
//     page.SetDisplay(1, "dB");                   // values in tenths, columns "Upstream (dB)", "Downstream (dB)"
//     AddPage(CXdslBitsAllocationListDlg::kTemplateId, &page, "SNR");
//     page.Reset();                               // every value "--"
//     page.SetValues(upstream, downstream);       // values or the markers of tone_values (line_test_protocol.h)
//     page.SetGraphTexts(title, caption, "Tone", "dB");
//     page.OnCommand(kGraphButtonId, BN_CLICKED); // the graph, sorted by tone
//
// The list is model-backed: its rows are the tones; a value column sorts by its numbers, ties by tone, and keeps the
// order the operator chose when the values change. The popup's Graph, Export and Close go to the owner, which gives
// the graph its texts and sends Graph back; without data Graph and Export are greyed.

#include "link/records/xdsl_tone_counts.h"
#include "ui/framework/dialogs/record_list.h"

#include <array>
#include <memory>
#include <string>

namespace Ui {
class CXdslBitsAllocationListDlg;
}

// One tone of the list; tones 64..511 have no upstream value.
struct ToneRow {
    uint32_t tone = 0;
    int32_t upstream = 0;
    int32_t downstream = 0;
};

class CXdslBitsAllocationListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 296;
    static constexpr int kGraphButtonId = 1189;
    static constexpr int kPopupGraph = 33046;
    enum Column { kToneColumn, kUpstreamColumn, kDownstreamColumn };

    using Upstream = std::array<int32_t, kUpstreamToneCount>;
    using Downstream = std::array<int32_t, kDownstreamToneCount>;

    explicit CXdslBitsAllocationListDlg(QWidget* parent = nullptr);
    ~CXdslBitsAllocationListDlg() override;

    // Decimals of the values (0 whole numbers, 1 tenths ...) and the unit of the column titles (none: empty).
    void SetDisplay(uint8_t decimals, std::string unit);
    // Every value "--", and no data.
    void Reset();
    // The values shown, in the order the operator sorted the list; the page has data.
    void SetValues(const Upstream& upstream, const Downstream& downstream);
    bool HasData() const { return hasData_; }
    void SetHasData(bool on) { hasData_ = on; }
    // Sizes the columns to what they show.
    void Relayout();
    // The chart title, its heading and the axis titles (127, 127, 31, 31 characters kept).
    void SetGraphTexts(const std::string& title, const std::string& caption, const std::string& xAxis,
                       const std::string& yAxis);
    const ToneRow* Row(uint32_t tone) const { return rows_.Find(tone); }
    std::string CellText(uint32_t tone, Column column) const;

    void InitData() override;
    bool OnCommand(int id, int code) override;
    std::vector<uint16_t> GreyedPopupCommands() const override;
    // The values are the owner's to give.
    void OnRefresh() override {}

private:
    void ShowGraph();

    std::unique_ptr<Ui::CXdslBitsAllocationListDlg> ui_;
    CRecordList<ToneRow> rows_;
    uint8_t decimals_ = 0;
    std::string unit_;
    bool hasData_ = false;
    std::string graphTitle_, graphCaption_, xAxisTitle_, yAxisTitle_;
};
