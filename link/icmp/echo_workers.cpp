#include "link/icmp/echo_workers.h"

#include <algorithm>

CEchoWorkers::~CEchoWorkers()
{
    JoinAll();
}

void CEchoWorkers::Start(std::function<void()> body)
{
    std::vector<Worker> ended;
    {
        std::lock_guard lock(mutex_);
        auto done = std::stable_partition(workers_.begin(), workers_.end(),
                                          [](const Worker& worker) { return !worker.ended->load(); });
        std::move(done, workers_.end(), std::back_inserter(ended));
        workers_.erase(done, workers_.end());
        auto flag = std::make_shared<std::atomic<bool>>(false);
        workers_.push_back({std::thread([body = std::move(body), flag] {
                                body();
                                flag->store(true);
                            }),
                            flag});
    }
    for (Worker& worker : ended)
        worker.thread.join();
}

void CEchoWorkers::JoinAll()
{
    std::vector<Worker> all;
    {
        std::lock_guard lock(mutex_);
        all.swap(workers_);
    }
    for (Worker& worker : all)
        worker.thread.join();
}

size_t CEchoWorkers::Running() const
{
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(
        std::count_if(workers_.begin(), workers_.end(), [](const Worker& worker) { return !worker.ended->load(); }));
}
