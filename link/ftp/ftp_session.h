#pragma once
// One FTP session with an NE, in the steps a transfer takes: connect and log in, change to a remote directory, then
// store or fetch one file in binary, the caller handing over or taking the data piece by piece. Transfers go in active
// mode (the NE connects back for the data), as the NEs expect. Each step says whether it failed, and a connection or
// transfer failure says why in the words of the FTP library, so that a caller tells "cannot log in" from "cannot change
// to the partition" from "cannot open the file".
//
//     std::unique_ptr<IFtpSession> session = OpenFtpSession(&abort);
//     FtpResult done = session->Connect({"127.0.0.2", 21, "qurim", "secret"});
//     if (done.Ok())
//         done = session->ChangeDirectory("Partition 1");
//     if (done.Ok())
//         done = session->Store("qx7200.enc", [&](uint8_t* data, size_t size) { return ReadSomeInto(data, size); });
//
// A session belongs to the thread that uses it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

inline constexpr uint16_t kFtpDefaultPort = 21;

// The step that failed.
enum class FtpStep : uint8_t {
    kNone,      // nothing failed
    kConnect,   // the connection or the login
    kDirectory, // the change of the remote directory
    kOpenFile,  // the server would not open the remote file
    kTransfer,  // the data stopped, or the caller's source or sink gave up
    kAborted,   // the session's abort flag was raised
};

struct FtpResult {
    FtpStep failed = FtpStep::kNone;
    std::string text; // the library's words for a failed connection or transfer
    bool Ok() const { return failed == FtpStep::kNone; }
};

struct FtpEndpoint {
    std::string host; // dotted IPv4 address
    uint16_t port = kFtpDefaultPort;
    std::string user;
    std::string password;
};

// The next bytes of a file being stored: at most `size` into `data`; 0 at the file's end, -1 to give up.
using FtpSource = std::function<long(uint8_t* data, size_t size)>;
// The next bytes of a file being fetched; false gives up.
using FtpSink = std::function<bool(const uint8_t* data, size_t size)>;

class IFtpSession {
public:
    virtual ~IFtpSession() = default;

    virtual FtpResult Connect(const FtpEndpoint& endpoint) = 0;
    // Later files are stored and fetched in this directory, relative to where the login put the session; an empty
    // name stays there.
    virtual FtpResult ChangeDirectory(const std::string& directory) = 0;
    // Writes the remote file (replacing it) with what the source gives until it gives 0.
    virtual FtpResult Store(const std::string& name, const FtpSource& source) = 0;
    // Reads the remote file whole into the sink.
    virtual FtpResult Retrieve(const std::string& name, const FtpSink& sink) = 0;
};

// A session of the FTP library; null when none can be made. While `abort` is raised, what the session does ends
// soon with FtpStep::kAborted.
std::unique_ptr<IFtpSession> OpenFtpSession(const std::atomic<bool>* abort = nullptr);

// What OpenFtpSession makes sessions with instead of the FTP library, so that a fuzzer runs a whole transfer in
// process against a peer of its own; null restores the library. Returns the factory set before.
using FtpSessionFactory = std::unique_ptr<IFtpSession> (*)(const std::atomic<bool>* abort);
FtpSessionFactory SetFtpSessionFactory(FtpSessionFactory factory);
