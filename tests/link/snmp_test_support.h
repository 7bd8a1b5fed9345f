#pragma once
// Helpers of the link tests: child processes (the simulated peers, net-snmp's daemons and tools), free ports, and
// a scripted responder that answers SNMP requests as a test says.

#include "link/snmp/snmp_message.h"
#include "link/snmp/udp_socket.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace snmp_test {

inline constexpr std::array<uint8_t, 4> kLoopback{127, 0, 0, 1};

// A UDP port that was free a moment ago.
inline uint16_t FreeUdpPort()
{
    CUdpSocket socket;
    if (socket.Open(kLoopback, 0) != 0)
        return 0;
    return socket.LocalPort();
}

inline std::filesystem::path BuildDir()
{
    // Test programs live in <build>/tests.
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
}

inline std::filesystem::path AgentPath()
{
    return BuildDir() / "sim" / "tarvik-ne-agent";
}

inline bool ToolExists(const std::string& path)
{
    return ::access(path.c_str(), X_OK) == 0;
}

// A child process with its standard output readable; ended with SIGTERM (then SIGKILL) when destroyed.
class CChildProcess {
public:
    CChildProcess() = default;
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    ~CChildProcess() { Stop(); }

    // `environment` entries ("NAME=value") are added to this process's environment. With `withErrors` the child's
    // standard error is read with its output.
    bool Start(const std::vector<std::string>& args, const std::vector<std::string>& environment = {},
               bool withErrors = false)
    {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        if (withErrors)
            posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (char** e = environ; *e != nullptr; ++e)
            envp.push_back(*e);
        for (const std::string& e : environment)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        int rc = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out_ = pipeFds[0];
        if (rc != 0) {
            pid_ = -1;
            return false;
        }
        return true;
    }

    // One line of the child's standard output, waited for at most timeoutMs.
    std::optional<std::string> ReadLine(int timeoutMs)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (true) {
            size_t eol = buffer_.find('\n');
            if (eol != std::string::npos) {
                std::string line = buffer_.substr(0, eol);
                buffer_.erase(0, eol + 1);
                return line;
            }
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            pollfd pfd{out_, POLLIN, 0};
            if (::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
                continue;
            char chunk[512];
            ssize_t n = ::read(out_, chunk, sizeof chunk);
            if (n <= 0)
                return std::nullopt;
            buffer_.append(chunk, static_cast<size_t>(n));
        }
    }

    // Ends the child; its exit code (or -1 when it did not exit by itself, e.g. killed).
    int Stop()
    {
        int status = -1;
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            for (int i = 0; i < 300; ++i) {
                if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                    pid_ = -1;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (pid_ > 0) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                pid_ = -1;
            }
        }
        if (out_ >= 0) {
            ::close(out_);
            out_ = -1;
        }
        return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool Running() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
};

// Runs a command to its end (bounded by the command's own time-outs); its standard output (with `withErrors` also
// its standard error) and exit status.
inline int RunCommand(const std::vector<std::string>& args, std::string* output, bool withErrors = false)
{
    CChildProcess child;
    if (!child.Start(args, {}, withErrors))
        return -1;
    output->clear();
    while (auto line = child.ReadLine(15000))
        *output += *line + "\n";
    return child.Stop();
}

// A simulated peer (the NE agent, the management server) on a free loopback port, found by the "listening on
// ADDR:PORT" line it prints first; ended with SIGTERM (then SIGKILL) when stopped or destroyed.
class CPeerProcess {
public:
    explicit CPeerProcess(std::vector<std::string> command) : command_(std::move(command)) {}

    // The peer's descriptors are limited to `count` from its next start on.
    void LimitDescriptors(rlim_t count) { descriptorLimit_ = count; }

    bool Start(const std::vector<std::string>& extraArgs = {})
    {
        child_.Stop();
        std::vector<std::string> args = command_;
        args.insert(args.end(), {"--port", "0"});
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        // A child takes its limits from its parent: the parent's own is lowered for the moment of the spawn.
        rlimit own{};
        ::getrlimit(RLIMIT_NOFILE, &own);
        if (descriptorLimit_) {
            rlimit lowered = own;
            lowered.rlim_cur = *descriptorLimit_;
            ::setrlimit(RLIMIT_NOFILE, &lowered);
        }
        const bool started = child_.Start(args);
        ::setrlimit(RLIMIT_NOFILE, &own);
        // A peer that makes a large network first (under a sanitizer, beside a full parallel test run) takes several
        // seconds to listen; the bound only ends the wait for one that never does.
        constexpr int kListeningBoundMs = 60000;
        const std::optional<std::string> line = started ? child_.ReadLine(kListeningBoundMs) : std::nullopt;
        if (!line || line->rfind("listening on ", 0) != 0)
            return false;
        port_ = static_cast<uint16_t>(std::stoul(line->substr(line->rfind(':') + 1)));
        return true;
    }
    uint16_t Port() const { return port_; }
    UdpEndpoint Endpoint() const { return {kLoopback, port_}; }
    pid_t Pid() const { return child_.Pid(); }
    int Stop() { return child_.Stop(); }

private:
    std::vector<std::string> command_;
    CChildProcess child_;
    uint16_t port_ = 0;
    std::optional<rlim_t> descriptorLimit_;
};

// The simulated NE agent.
class CAgentProcess : public CPeerProcess {
public:
    CAgentProcess() : CPeerProcess({AgentPath().string()}) {}
};

// Answers each request datagram with what the script returns (nullopt: stays silent). Runs on its own thread.
class CScriptedResponder {
public:
    using Script = std::function<std::optional<SnmpMessage>(const SnmpMessage& request)>;

    explicit CScriptedResponder(Script script) : script_(std::move(script))
    {
        socket_.Open(kLoopback, 0);
        thread_ = std::thread([this] { Loop(); });
    }
    ~CScriptedResponder()
    {
        stop_ = true;
        thread_.join();
    }
    UdpEndpoint Endpoint() const { return {kLoopback, socket_.LocalPort()}; }
    int Requests() const { return requests_.load(); }
    // Sends raw bytes to the last requester before the real answer (foreign or malformed datagrams).
    void SetPrelude(std::function<std::vector<std::vector<uint8_t>>(const SnmpMessage&)> prelude)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        prelude_ = std::move(prelude);
    }

private:
    void Loop()
    {
        std::vector<uint8_t> buffer(70000);
        while (!stop_) {
            UdpEndpoint from;
            int n = socket_.ReceiveFrom(buffer.data(), buffer.size(), &from, 20);
            if (n < 0)
                continue;
            SnmpMessage request;
            if (DecodeSnmpMessage(buffer.data(), static_cast<size_t>(n), &request) != BerError::None)
                continue;
            ++requests_;
            std::function<std::vector<std::vector<uint8_t>>(const SnmpMessage&)> prelude;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                prelude = prelude_;
            }
            if (prelude) {
                for (const auto& bytes : prelude(request))
                    socket_.SendTo(bytes.data(), bytes.size(), from);
            }
            std::optional<SnmpMessage> response = script_(request);
            if (!response)
                continue;
            std::vector<uint8_t> out;
            if (EncodeSnmpMessage(*response, &out) == BerError::None)
                socket_.SendTo(out.data(), out.size(), from);
        }
    }

    Script script_;
    CUdpSocket socket_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::mutex mutex_;
    std::function<std::vector<std::vector<uint8_t>>(const SnmpMessage&)> prelude_;
};

// A response to `request` with the given error and bindings.
inline SnmpMessage ResponseTo(const SnmpMessage& request, int32_t errorStatus, int32_t errorIndex,
                              std::vector<SnmpVarBind> varbinds)
{
    SnmpMessage response = request;
    response.pdu.type = SnmpPduType::Response;
    response.pdu.errorStatus = errorStatus;
    response.pdu.errorIndex = errorIndex;
    response.pdu.varbinds = std::move(varbinds);
    return response;
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}

inline std::vector<uint8_t> Hex(const std::string& text)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

} // namespace snmp_test
