#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace testx {

TempDir::TempDir(const std::string& stem)
{
    std::string templ = "/tmp/" + stem + "-XXXXXX";
    if (mkdtemp(templ.data()) != nullptr) path_ = templ;
}

TempDir::~TempDir()
{
    std::error_code ignored;                // nothing left to report to at this point
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(file(name), std::ios::binary) << bytes;
    return file(name);
}

}  // namespace testx
