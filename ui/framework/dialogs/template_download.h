#pragma once
// What a dialog hands the template download dialog (CTemplateDownloadDlg) through DialogRequest::templateDownload:
// prepared write requests, of which the download dialog sends the one that suits each NE the operator chooses. The
// opener keeps the requests while the download dialog runs.
//
//     TemplateDownload download;
//     download.title = "Alarm Definition";
//     download.singleSlot = false;
//     download.requests.push_back({neModelId, kReqAlarmDef, kAlarmDefRecSize, count, EncodeRecords(records)});
//     DialogRequest request;
//     request.className = "CTemplateDownloadDlg";
//     request.templateDownload = &download;
//     OpenRouteDialog(request);

#include <cstdint>
#include <string>
#include <vector>

// One prepared request (operation 2): the download dialog fills in the NE of each send.
struct TemplateDownloadSlot {
    uint32_t neModelKey = 0; // the NE model whose NEs take it, when the download has a slot per model
    uint16_t requestCode = 0;
    uint32_t recordSize = 0;
    uint32_t count = 0;
    std::vector<uint8_t> records; // count records of recordSize bytes
};

struct TemplateDownload {
    std::string title; // what the download is of, shown above its NEs
    // The first request serves every NE; otherwise the one whose key is an NE's model serves that NE, and an NE of a
    // model without one gets nothing. A download has as many requests as it needs, one per NE model at most.
    bool singleSlot = true;
    std::vector<TemplateDownloadSlot> requests;
};
