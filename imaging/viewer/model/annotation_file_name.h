// The ".ant" file that holds a page's annotations when the viewer keeps them in a file.
#pragma once
#include <string>

namespace qm {

// The set name when there is one; else the image's name with its extension replaced by
// ".ant" (the extension starts at the first dot of the file's own name, so a dotted folder
// never cuts the path short); else "default.ant".
std::string AnnotationFileNameFor(const std::string& setName, const std::string& imageName);

}  // namespace qm
