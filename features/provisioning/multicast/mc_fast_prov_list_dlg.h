#pragma once
// CMcFastProvListDlg ("xDSL Mutlicast Channel Fast Provision List", template 302): the ports a fast provisioning
// walks, each ticked while it is still to be provisioned, and the run over them on window timer 49646, one port a
// tick (mc_fast_provision_step.h). A port's requests go on away from the UI thread (request_worker.h), so that the
// windows keep answering while the NE does; the question whether to replace a port's channel is asked between them.
// Go (1263) starts from the first ticked port with only the list and Stop (1331) enabled; a written port loses its
// tick and shows image 23 and the next tick follows 100 ms later; a refused port pauses the run on it with the
// refusal on the message line, and Go resumes from the first ticked port; a write the NE refuses marks the port with
// image 24 and ends the run. Stop ends a run (a port under way still shows how it ended); Select All (1059) and
// Deselect All (1060) tick the rows; Export (1165) writes the list.
//
// The list finds its ports itself (mc_fast_provision_ports.h) from the range of slots and the line-card model it is
// given; a range whose ends are not both slots is an internal error, and the list closes.
//
//     CMcFastProvListDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.SetRun(from, to, lineCardModelId, channel); // {1, shelf, slot} both; the channel for every port
//     dlg.DoModal();

#include "core/entity/entity_index.h"
#include "features/provisioning/multicast/mc_fast_provision_step.h"
#include "link/records/mc_channel_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/link_ui/request_worker.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Ui {
class CMcFastProvListDlg;
}

// One port of the list.
struct McProvisionRow {
    uint32_t portId = 0;
    int image = -1; // 23 written, 24 refused by the NE, none before
};

class CMcFastProvListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 302;
    static constexpr int kGoId = 1263;
    static constexpr int kSelectAllId = 1059;
    static constexpr int kDeselectAllId = 1060;
    static constexpr int kStopId = 1331;
    static constexpr int kKeyId = 1370;
    static constexpr int kVlanId = 1199;
    static constexpr int kStateId = 1153;
    static constexpr int kLimitId = 1095;
    static constexpr int kProfileId = 1281;
    static constexpr int kTimerId = 49646;
    static constexpr int kPopupGo = 33060;
    static constexpr int kPopupSelectAll = 33140;
    static constexpr int kPopupDeselectAll = 33141;

    explicit CMcFastProvListDlg(QWidget* parent = nullptr);
    ~CMcFastProvListDlg() override;

    void SetRun(const CEntityIndex& from, const CEntityIndex& to, uint32_t lineCardModelId,
                const McChannelRec& channel);
    bool IsRunning() const { return IsControlEnabled(kStopId); }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnDestroy() override;

private:
    void Go();
    void Stop();
    void Tick();
    // After the port's requests up to the question whether to replace its channel: the question, then the rest.
    void OnPortAsked(const McChannelRec& channel, uint8_t heldLimit);
    void ShowOutcome(uint32_t portId, const McProvisionResult& result);
    void TickAll(bool on);
    // Every control but the list and Stop off while a run goes.
    void EnableForRun(bool running);

    std::unique_ptr<Ui::CMcFastProvListDlg> ui_;
    CRecordList<McProvisionRow> rows_;
    CEntityIndex from_;
    CEntityIndex to_;
    uint32_t lineCardModelId_ = 0;
    McChannelRec channel_;
    int position_ = 0;
    CRequestWorker worker_;
};
