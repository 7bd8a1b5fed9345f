#pragma once
// The worker threads of the workstation's ping and traceroute. Each run gets a thread of its own; a thread that has
// ended is joined when the next one starts, and the rest when the workers go (at the latest at exit), so that no run
// outlives the program's state. A run is ended by its counter (ping_counter.h), not here: join after ending it.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CEchoWorkers {
public:
    CEchoWorkers() = default;
    ~CEchoWorkers();
    CEchoWorkers(const CEchoWorkers&) = delete;
    CEchoWorkers& operator=(const CEchoWorkers&) = delete;

    void Start(std::function<void()> body);
    // Waits for every worker started so far to end.
    void JoinAll();
    // Workers that have not ended yet.
    size_t Running() const;

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };

    mutable std::mutex mutex_;
    std::vector<Worker> workers_;
};
