#pragma once
// The slots of a batch firmware upgrade: one image to many NEs, a worker thread per NE being served and at most as
// many at a time as there are slots. The user-interface thread fills a slot and starts its worker (Start), reads the
// slots' jobs on its timer, and gives a slot back once it has seen the job end (Release); it never waits for a worker
// that is still sending. A worker touches its own slot's job only.
//
// The batch owns its workers: whoever holds it keeps the jobs valid for them, and destroying it raises every abort
// flag and waits for the workers to end, so a batch can be handed on and dropped at any time.
//
//     CFwUploadBatch batch({"/tmp/qx7200.enc", "Partition 1", "qx7200.enc", settings}, 5);
//     batch.Start(0, FtpEndpoint{"127.0.0.2", 21, "qurim", "secret"});
//     ... on the timer: if (batch.Job(0).Ended()) { report it; batch.Release(0); }

#include "link/ftp/ftp_file_transfer.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct FwUploadImage {
    std::string localPath;
    std::string directory;  // the boot partition's remote directory; none when empty
    std::string remoteName; // the name the image takes on the NE
    FtpTransferSettings settings;
};

class CFwUploadBatch {
public:
    CFwUploadBatch(FwUploadImage image, size_t slots);
    ~CFwUploadBatch();
    CFwUploadBatch(const CFwUploadBatch&) = delete;
    CFwUploadBatch& operator=(const CFwUploadBatch&) = delete;

    size_t SlotCount() const { return slots_.size(); }
    const CFtpJob& Job(size_t slot) const { return slots_[slot]->job; }
    // Init or sending: a worker is at work.
    bool IsBusy(size_t slot) const;
    bool AnyBusy() const;

    // Starts the slot's worker on the NE (none: the NE is unknown, and the worker fails at once); the job is kInit
    // from here. False when no thread could be started: the slot stays idle.
    bool Start(size_t slot, const std::optional<FtpEndpoint>& ne);
    // Gives back a slot whose job has ended, for the next NE.
    void Release(size_t slot);
    // Every worker ends soon.
    void Abort();

private:
    struct Slot {
        CFtpJob job;
        std::thread worker;
    };

    FwUploadImage image_;
    std::vector<std::unique_ptr<Slot>> slots_;
};
