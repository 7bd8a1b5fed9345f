#include "sim/seed/ne_file_system.h"

#include <algorithm>
#include <ctime>
#include <tuple>

namespace {

// What an NE holds when nothing else is said: a release in each image partition and its configurations.
std::vector<NeFsFileRecord> DefaultFiles()
{
    return {
        {kNeFsOpCodeA, "ipd-2.4.1.bin", 6291456, "2024/03/18 09:12:40", 0},
        {kNeFsOpCodeB, "ipd-2.3.7.bin", 6029312, "2023/11/02 14:55:03", 0},
        {kNeFsConfig, "mac.cfg", 512, "2022/06/01 08:00:00", 0},
        {kNeFsConfig, "startup.cfg", 48213, "2024/04/02 17:31:22", 0},
    };
}

bool IsImagePartition(uint32_t partition)
{
    return partition == kNeFsOpCodeA || partition == kNeFsOpCodeB;
}

} // namespace

std::string FormatNeFileTime(uint64_t nowMs)
{
    const std::time_t seconds = static_cast<std::time_t>(nowMs / 1000);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[24];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &parts);
    return text;
}

CNeFileSystem::CNeFileSystem() : files_(DefaultFiles())
{
    Sort();
}

void CNeFileSystem::SetFiles(std::vector<NeFsFileRecord> files)
{
    files_ = std::move(files);
    Sort();
    ++version_;
}

const NeFsFileRecord* CNeFileSystem::Find(uint16_t partition, const std::string& name) const
{
    const auto it = std::find_if(files_.begin(), files_.end(), [&](const NeFsFileRecord& file) {
        return file.partition == partition && file.name == name;
    });
    return it != files_.end() ? &*it : nullptr;
}

void CNeFileSystem::Put(NeFsFileRecord file)
{
    file.action = 0;
    auto it = std::find_if(files_.begin(), files_.end(), [&](const NeFsFileRecord& other) {
        return other.partition == file.partition && other.name == file.name;
    });
    if (it != files_.end())
        *it = std::move(file);
    else
        files_.push_back(std::move(file));
    Sort();
    ++version_;
}

void CNeFileSystem::Sort()
{
    std::sort(files_.begin(), files_.end(), [](const NeFsFileRecord& a, const NeFsFileRecord& b) {
        return std::tie(a.partition, a.name) < std::tie(b.partition, b.name);
    });
}

bool CNeFileSystem::Delete(uint16_t partition, const std::string& name, std::string* why)
{
    if (partition == kNeFsConfig && name == kNeFsMacFile) {
        *why = "The file is protected";
        return false;
    }
    const auto it = std::find_if(files_.begin(), files_.end(), [&](const NeFsFileRecord& file) {
        return file.partition == partition && file.name == name;
    });
    if (it == files_.end()) {
        *why = "File does not exist";
        return false;
    }
    files_.erase(it);
    ++version_;
    return true;
}

bool CNeFileSystem::Format(uint32_t partition, std::string* why)
{
    if (partition < kNeFsOpCodeA || partition > kNeFsConfig) {
        *why = "Partition does not exist";
        return false;
    }
    std::erase_if(files_, [&](const NeFsFileRecord& file) {
        return file.partition == partition && !(file.partition == kNeFsConfig && file.name == kNeFsMacFile);
    });
    ++version_;
    return true;
}

bool CNeFileSystem::StartCopy(const NeFsCopyRecord& copy, uint64_t nowMs, std::string* why)
{
    if (job_ && job_->endMs > nowMs) {
        *why = "A copy is in progress";
        return false;
    }
    CopyJob job;
    job.copy = copy;
    job.endMs = nowMs;
    const NeFsFileRecord* source = IsImagePartition(copy.sourcePartition)
                                       ? Find(static_cast<uint16_t>(copy.sourcePartition), copy.sourceName)
                                       : nullptr;
    if (!IsImagePartition(copy.sourcePartition) || !IsImagePartition(copy.destPartition) ||
        (copy.destModule != kNeFsMasterModule && copy.destModule != kNeFsSlaveModule)) {
        job.finalState = kNeFsCopyInternalError;
    } else if (source == nullptr) {
        job.finalState = kNeFsCopyNoSourceFile;
    } else if (copy.destModule == kNeFsSlaveModule && !slaveModule_) {
        job.finalState = kNeFsCopyCannotTransfer;
    } else if (copy.destName.empty() ||
               (copy.destModule == kNeFsMasterModule && copy.destPartition == copy.sourcePartition &&
                copy.destName == copy.sourceName)) {
        job.finalState = kNeFsCopyCannotCopy;
    } else {
        job.size = source->size;
        const uint64_t bytes = static_cast<uint64_t>(std::max(source->size, 0));
        job.endMs = nowMs + std::max<uint64_t>(1000, bytes * 1000 / kCopyBytesPerSecond);
    }
    job_ = std::move(job);
    return true;
}

NeFsCopyRecord CNeFileSystem::CopyState(uint64_t nowMs)
{
    if (!job_)
        return {};
    NeFsCopyRecord state = job_->copy;
    if (nowMs < job_->endMs) {
        state.state = kNeFsCopyInProgress;
        return state;
    }
    if (job_->finalState == kNeFsCopyDone && job_->size != 0) {
        // The slave's files are its own; the list shows the master's.
        if (job_->copy.destModule == kNeFsMasterModule)
            Put({static_cast<uint16_t>(job_->copy.destPartition), job_->copy.destName, job_->size,
                 FormatNeFileTime(job_->endMs), 0});
        job_->size = 0; // the file is written once
    }
    state.state = job_->finalState;
    return state;
}
