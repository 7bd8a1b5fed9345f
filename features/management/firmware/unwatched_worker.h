#pragma once
// A transfer whose dialog is closed while it runs goes on to its end, watched by nobody: the application keeps its
// worker until the job has ended and then lets it go. A worker still running when the application ends is stopped
// then, as its destructor does.
//
//     void CNeFwUpgradeBackupDlg::OnCancel()
//     {
//         if (worker_->Running())
//             LeaveWorkerRunning(std::exchange(worker_, std::make_unique<CFtpWorker>()));
//         CADialog::OnCancel();
//     }

#include "link/ftp/ftp_worker.h"

#include <memory>

void LeaveWorkerRunning(std::unique_ptr<CFtpWorker> worker);
