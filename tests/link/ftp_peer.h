#pragma once
// The simulated NEs' FTP servers (sim/ftp/tarvik_ftp_peer.py) as a child process on a free port: each NE on a
// loopback address of its own with its login and its FTP area, a directory of a temporary root that the test lays out
// as the NE's disks. What the server saw of the transfers comes from its statistics file.

#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/snmp_test_support.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace ftp_test {

struct FtpNe {
    std::string address;
    std::string user = "qurim";
    std::string password = "qurim";
};

inline std::string PeerScript()
{
    return std::string(TARVIK_RESOURCES_DIR) + "/../sim/ftp/tarvik_ftp_peer.py";
}

class CFtpPeer {
public:
    explicit CFtpPeer(std::vector<FtpNe> nes) : nes_(std::move(nes)), process_({PeerScript(), "--exit-with-parent"})
    {
        for (const FtpNe& ne : nes_)
            std::filesystem::create_directories(Area(ne.address));
    }

    bool Start()
    {
        std::vector<std::string> args{"--root", root_.Path().string(), "--stats", StatsPath().string()};
        for (const FtpNe& ne : nes_)
            args.insert(args.end(), {"--ne", ne.address + ":" + ne.user + ":" + ne.password});
        return process_.Start(args);
    }

    uint16_t Port() const { return process_.Port(); }
    // The server's process: killed, it hangs up on every transfer at once.
    pid_t Pid() const { return process_.Pid(); }
    const std::filesystem::path& Root() const { return root_.Path(); }
    std::filesystem::path Area(const std::string& address) const { return root_.Path() / address; }

    // The most transfers the server had running at once, and those it completed.
    int MostAtOnce() const { return Stat("most"); }
    int Completed() const { return Stat("completed"); }

private:
    std::filesystem::path StatsPath() const { return root_.Path() / "stats.json"; }
    int Stat(const std::string& name) const
    {
        const std::string text = ReadText(StatsPath());
        const size_t at = text.find("\"" + name + "\": ");
        return at == std::string::npos ? -1 : std::stoi(text.substr(at + name.size() + 4));
    }

    CTempDir root_{false, "tarvik-ftp-"};
    std::vector<FtpNe> nes_;
    snmp_test::CPeerProcess process_;
};

} // namespace ftp_test

namespace ftp_test {

// A file the NE will not overwrite: its owner's write bit is off.
inline void WriteTextReadOnly(const std::filesystem::path& path, const std::string& text)
{
    WriteText(path, text);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
}

} // namespace ftp_test
