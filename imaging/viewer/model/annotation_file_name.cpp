#include "annotation_file_name.h"

namespace qm {

std::string AnnotationFileNameFor(const std::string& setName, const std::string& imageName) {
  if (!setName.empty()) return setName;
  if (imageName.empty()) return "default.ant";
  const size_t nameStart = imageName.find_last_of("\\/:");
  const size_t from = nameStart == std::string::npos ? 0 : nameStart + 1;
  const size_t dot = imageName.find('.', from);
  return imageName.substr(0, dot) + ".ant";
}

}  // namespace qm
