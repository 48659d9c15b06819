#include "batch_names.h"

#include <algorithm>
#include <cctype>

#include "zero_pad.h"

namespace tarnwick {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

size_t AfterLastSeparator(const std::string& path) {
  size_t slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

std::string ExtensionOf(const std::string& name) {
  size_t start = AfterLastSeparator(name);
  size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot < start) return std::string();
  return name.substr(dot);
}

std::string NameOf(const std::string& path) { return path.substr(AfterLastSeparator(path)); }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char last = folder.back();
  if (last == '\\' || last == '/') return folder + name;
  return folder + "\\" + name;
}

std::string EntryPath(const std::string& folder, const std::string& entry) {
  const bool drive = entry.size() >= 2 && entry[1] == ':';
  const bool rooted = !entry.empty() && (entry[0] == '\\' || entry[0] == '/');
  return drive || rooted ? entry : JoinPath(folder, entry);
}

std::string PageFileName(int pageNo, const std::string& extension) {
  return ZeroPad(std::to_string(pageNo), kPageNumberWidth) + extension;
}

bool NameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Upper(x) < Upper(y); });
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

std::vector<std::string> SortedNames(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), NameLess);
  return names;
}

PageReader ReaderForType(const std::string& type) {
  std::string upper(type);
  for (char& c : upper) c = Upper(c);
  static const struct {
    const char* type;
    PageReader reader;
  } kReaders[] = {{"BMP", PageReader::Bmp},   {"PNG", PageReader::Png},  {"GIF", PageReader::Gif},
                  {"PCX", PageReader::Pcx},   {"JPEG", PageReader::Jpeg}, {"PCD", PageReader::Pcd},
                  {"TGA", PageReader::Tga},   {"TIFF", PageReader::Tiff}};
  for (const auto& r : kReaders)
    if (upper == r.type) return r.reader;
  return PageReader::None;
}

bool PageFileExtension(const std::string& name) {
  std::string ext = ExtensionOf(name);
  for (char& c : ext) c = Upper(c);
  static const char* const kExtensions[] = {".BMP", ".PNG", ".GIF", ".PCX", ".JPG", ".JPEG",
                                            ".PCD", ".TGA", ".TIF", ".TIFF"};
  for (const char* e : kExtensions)
    if (ext == e) return true;
  return false;
}

BatchEntry ClassifyBatchEntry(const std::string& name, const std::string& type, bool readWhole) {
  if (readWhole) return BatchEntry::Page;
  if (ReaderForType(type) != PageReader::None || PageFileExtension(name)) return BatchEntry::Unreadable;
  return BatchEntry::NotAPage;
}

}  // namespace tarnwick
