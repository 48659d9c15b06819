// Names of the files of a batch folder, free of any window: page file names, extensions, the
// folder's order and the reader each file type is read with.
#pragma once
#include <string>
#include <vector>

namespace tarnwick {

// ".tif" of "000003.tif"; empty when the name has no dot after its last separator.
std::string ExtensionOf(const std::string& name);
// "name" of "c:\batch\name"; the name itself when it holds no separator.
std::string NameOf(const std::string& path);
// folder + "\" + name; a folder that already ends in a separator gets none more.
std::string JoinPath(const std::string& folder, const std::string& name);
// The file of a file-list entry: the entries a scan adds are full names already, those of a
// folder read are names in it.
std::string EntryPath(const std::string& folder, const std::string& entry);
// Page file name of a 1-based page number: "000007" + extension.
std::string PageFileName(int pageNo, const std::string& extension);
// Names compare as the file list sorts them: without case, byte by byte.
bool NameLess(const std::string& a, const std::string& b);
bool SameName(const std::string& a, const std::string& b);
std::vector<std::string> SortedNames(std::vector<std::string> names);

// The image reader a file-information type chooses (compared in upper case).
enum class PageReader { None, Bmp, Png, Gif, Pcx, Jpeg, Pcd, Tga, Tiff };
PageReader ReaderForType(const std::string& type);
// A name with the extension of a page file some reader takes (".tif", ".jpg", ...): such a file
// in a batch folder is a page, even when its contents cannot be read.
bool PageFileExtension(const std::string& name);
// What a file of a batch folder is: a page read whole, a page whose file cannot be read (it
// keeps its place and number), or not a page at all (of no image type and no page extension).
enum class BatchEntry { Page, Unreadable, NotAPage };
BatchEntry ClassifyBatchEntry(const std::string& name, const std::string& type, bool readWhole);
// The TIFF page a page file is shown from: page files hold one page, counted from 0.
constexpr int kPageFileTiffPage = 0;

}  // namespace tarnwick
