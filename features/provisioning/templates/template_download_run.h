#pragma once
// How a template download goes through the NE list: each tick sends the prepared request to the NE of the next
// ticked row, from where the run stands, in the order the list shows; a row whose NE took it is unticked and marked
// done, a row whose NE refused it keeps its tick, is marked failed and ends the run; the run also ends when no ticked
// row is left. Starting again goes from the top, so that a download after a failure takes up the rows still ticked,
// the failed one first. Window-free.
//
//     CTemplateDownloadRun run;
//     run.Start();
//     ... each tick: switch (run.Tick(rows, [&](uint32_t neId) { return Send(neId); })) ...

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// One row of the NE list as the run sees it.
struct DownloadRow {
    uint32_t neId = 0;
    bool ticked = false;
    enum class Outcome : uint8_t { kNone, kDone, kFailed };
    Outcome outcome = Outcome::kNone;
    bool operator==(const DownloadRow&) const = default;
};

class CTemplateDownloadRun {
public:
    enum class Tick : uint8_t {
        kSent,   // a row's NE took the request: the next tick goes on
        kFailed, // a row's NE refused it: the run ends
        kDone,   // no ticked row was left: the run ends
    };

    void Start() { next_ = 0; }
    // One tick over the rows in list order: sends to the NE of the first ticked row from where the run stands and
    // records the outcome in that row. `sent` is that row's index.
    Tick Step(std::vector<DownloadRow>& rows, const std::function<bool(uint32_t neId)>& send,
              std::optional<size_t>* sent = nullptr);

private:
    size_t next_ = 0;
};
