#pragma once
// The loaders that read a named file take the fuzz input through one file of a directory of this process, written
// anew for every input (in memory where the system has /dev/shm); the directory goes when the process ends normally.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class CFuzzFile {
public:
    explicit CFuzzFile(const std::string& name)
    {
        // In memory where the system offers it: a run writes the file anew for every input.
        const std::filesystem::path shm("/dev/shm");
        const std::filesystem::path base =
            ::access(shm.c_str(), W_OK) == 0 ? shm : std::filesystem::temp_directory_path();
        dir_ = base / ("tarvik-fuzz-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / name).string();
    }
    ~CFuzzFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    CFuzzFile(const CFuzzFile&) = delete;
    CFuzzFile& operator=(const CFuzzFile&) = delete;

    const std::string& Write(const uint8_t* data, size_t size)
    {
        std::ofstream(path_, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return path_;
    }
    const std::string& Path() const { return path_; }

private:
    std::filesystem::path dir_;
    std::string path_;
};
