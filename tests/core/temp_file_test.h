#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>

// A fresh directory per test, named after the process and the test and removed afterwards, with the path of one
// file in it: the start of every test that reads or writes a file.
class TempFileTest : public ::testing::Test {
  protected:
    TempFileTest(std::string prefix, std::string fileName) : prefix_(std::move(prefix)), fileName_(std::move(fileName))
    {
    }

    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               (prefix_ + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / fileName_).string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void Write(const std::string& text) { std::ofstream(path_, std::ios::binary | std::ios::trunc) << text; }
    std::string ReadAll() const
    {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path dir_;
    std::string path_;

  private:
    std::string prefix_;
    std::string fileName_;
};
