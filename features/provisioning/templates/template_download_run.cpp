#include "features/provisioning/templates/template_download_run.h"

CTemplateDownloadRun::Tick CTemplateDownloadRun::Step(std::vector<DownloadRow>& rows,
                                                      const std::function<bool(uint32_t neId)>& send,
                                                      std::optional<size_t>* sent)
{
    if (sent != nullptr)
        sent->reset();
    size_t row = next_;
    while (row < rows.size() && !rows[row].ticked)
        ++row;
    if (row >= rows.size())
        return Tick::kDone;
    next_ = row + 1;
    if (sent != nullptr)
        *sent = row;
    DownloadRow& target = rows[row];
    if (!send(target.neId)) {
        target.outcome = DownloadRow::Outcome::kFailed;
        return Tick::kFailed;
    }
    target.outcome = DownloadRow::Outcome::kDone;
    target.ticked = false;
    return Tick::kSent;
}
