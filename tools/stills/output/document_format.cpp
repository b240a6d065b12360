#include "tools/stills/output/document_format.h"

#include <cctype>
#include <cstring>

namespace stills {

std::string versionText() { return std::string(kProgram) + " " + TARVEX_VERSION; }

bool hasExtension(const std::string& path, const char* extension)
{
    const size_t n = std::strlen(extension);
    if (path.size() <= n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - n + i])) != extension[i]) return false;
    return true;
}

bool formatOf(const std::string& path, DocumentFormat* format)
{
    if (hasExtension(path, ".png")) *format = DocumentFormat::png;
    else if (hasExtension(path, ".svg")) *format = DocumentFormat::svg;
    else if (hasExtension(path, ".pdf")) *format = DocumentFormat::pdf;
    else return false;
    return true;
}

}  // namespace stills
