#pragma once
// The one temporary-directory fixture of the tests: a fresh directory removed with everything in it afterwards, on
// request also the working directory while it lives; and whole-file text reads and writes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>

// Writes the file whole, making its folder when there is none.
inline void WriteText(const std::filesystem::path& path, const std::string& text)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class CTempDir {
public:
    explicit CTempDir(bool enter = false, const std::string& prefix = "tarvik-test-")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "no temporary directory " << pattern;
        dir_ = pattern;
        if (enter) {
            previous_ = std::filesystem::current_path();
            std::filesystem::current_path(dir_);
        }
    }
    ~CTempDir()
    {
        std::error_code ec;
        if (!previous_.empty())
            std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(dir_, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return dir_; }

private:
    std::filesystem::path dir_;
    std::filesystem::path previous_;
};

// A test that reads or writes one file in a directory of its own.
class TempFileTest : public ::testing::Test {
protected:
    TempFileTest(const std::string& prefix, const std::string& fileName)
        : temp_(false, prefix), dir_(temp_.Path()), path_((dir_ / fileName).string())
    {
    }

    void Write(const std::string& text) { WriteText(path_, text); }
    std::string ReadAll() const { return ReadText(path_); }

private:
    CTempDir temp_;

protected:
    std::filesystem::path dir_;
    std::string path_;
};
