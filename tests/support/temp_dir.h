#pragma once
// A fresh folder under /tmp for one test, removed with everything in it when the object goes,
// also when the test stops half-way at a failed assertion.

#include <string>

namespace testx {

class TempDir {
public:
    explicit TempDir(const std::string& stem = "tarvex-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }   // empty when it could not be made
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes bytes to the named file in the folder and gives its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

}  // namespace testx
