// The PDF or multipage TIFF a document-mode scan writes: the chosen name with its extension,
// and the temporary name the pages go to until the run ends.
#pragma once
#include <string>

namespace tarnwick {

// Appends ext (".pdf", ".tif") unless the name already ends in exactly that extension.
std::string DocumentNameWithExtension(const std::string& chosen, const std::string& ext);

// Beside the target, so that moving it over the target never crosses drives.
std::string DocumentTempName(const std::string& target);

}  // namespace tarnwick
