// What the capability query learns from the scanner and the settings form offers: feeder,
// duplex and forced-method flags, the maximum scan area, and the resolution, paper and colour
// filter lists. Each list entry keeps the table index its setting stores, so a shortened list
// still stores the index of the table the scan reads ("Resolution", "Size"). Platform-free.
#pragma once
#include <string>
#include <vector>

#include "edition.h"

namespace tarnwick {

// Entries of the resolution table (100 .. 2400 dpi) and of the paper table (A4 .. Letter
// landscape) that the "Resolution" and "Size" settings index; the sizes are the scan tables'.
constexpr int kResolutionCount = 12;
constexpr int kPaperCount = 8;
constexpr int kPaperBusinessCard = 4;

struct ScanChoice {
  std::string text;  // as the list shows it
  int index;         // the setting's value for this entry
};

struct ScannerChoices {
  bool feederAvailable = false;
  bool duplexAvailable = false;
  bool methodForced = false;  // the scanner does not take both feeder and flatbed
  float maxWidth = 0;         // inches, 0 when unknown
  float maxHeight = 0;
  std::vector<ScanChoice> resolutions;
  std::vector<ScanChoice> papers;
  std::vector<int> filterTextIds;  // string ids; the list index is the "Filter" value
};

// The settings form's lists as designed, before any query: eleven resolutions to 1200 and the
// eight papers under the form's own texts; no filter list.
ScannerChoices DesignScannerChoices();

// The resolutions of the table up to the scanner's maximum, at least the first; all twelve when
// the maximum is unknown (0 or less).
std::vector<ScanChoice> ResolutionChoicesUpTo(int maxDpi);

// The paper list for a maximum area. In the first edition a width up to 8.5 in with a height
// above 15 in counts (and is kept) as 11.69 in high first, and a scanner of width up to 4.15 in
// and height up to 6.9 in takes business cards only; the second edition takes the height as it
// is, and its business-card rule is width up to 4.15 in and height up to 5.71 in.
std::vector<ScanChoice> PaperChoicesFor(float width, float* height,
                                        Edition edition = kBuiltEdition);

// What the second edition knows of some models, whatever their answers to the tests.
struct ModelFlags {
  bool feederAvailable;
  bool methodForced;
  bool duplexAvailable;
};
// The flags of `model` (the product name, compared exactly) when the edition's model table has
// it; false, `flags` untouched, for any other model and always in the first edition.
bool ModelTableFlags(Edition edition, const std::string& model, ModelFlags* flags);

// The colour filter list: none, R, G, B channel (string ids 521..524).
std::vector<int> FilterChoiceTextIds();

// The entry of `list` whose index is nearest to `value` (the lower on a tie); -1 for an empty
// list. A stored index beyond the list selects its nearest entry instead of nothing.
int NearestChoice(const std::vector<ScanChoice>& list, int value);
// The list position of the entry holding `value`, or -1.
int ChoicePosition(const std::vector<ScanChoice>& list, int value);

}  // namespace tarnwick
