#pragma once
// The name the tool signs its messages with, and the documents it writes, told by their names' extensions.

#include <string>

namespace stills {

constexpr const char* kProgram = "tarvex-stills";
std::string versionText();                  // the name and the release, as --version and PDFs give them

enum class DocumentFormat { png, svg, pdf };

// By the extension, in any case; false when it is none of the three.
bool formatOf(const std::string& path, DocumentFormat* format);
// Whether the name ends in extension (".png", lower case), in any case, after something.
bool hasExtension(const std::string& path, const char* extension);

}  // namespace stills
