#pragma once
// A fresh folder under /tmp for one test, removed with everything in it when the object goes,
// also when the test stops half-way at a failed assertion.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace testx {

class TempDir {
public:
    explicit TempDir(const std::string& stem = "tarvex-test") : path_("/tmp/" + stem + "-XXXXXX")
    {
        if (mkdtemp(path_.data()) == nullptr) path_.clear();
    }
    ~TempDir()
    {
        std::error_code ignored;            // nothing left to report to at this point
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }   // empty when it could not be made
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const   // the file's path
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }

private:
    std::string path_;
};

}  // namespace testx
