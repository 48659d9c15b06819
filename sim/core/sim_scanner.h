// The simulated scanner shared by every simulated driver (zebdrv.dll, the TWAIN data source, the
// ISIS stand-in). Platform-free: no windows.h, so it builds and is tested natively too.
//
//   - Page images: RenderRow / RenderPage make deterministic pages (black-and-white, gray,
//     colour; A4, Letter, Legal; any resolution). Each page carries an orientation mark in its
//     top-left corner, its page number in large segment digits, a gray ramp (black at the left),
//     colour bars and text-like lines, so ReadPageNumber can tell pages and orientation apart.
//   - The feeder: SimFeeder hands out pages of a job from N sheets, simplex or duplex, flatbed or
//     feeder, and raises one scripted fault at page k.
//   - Configuration: SimConfig, read from an INI text or file (see ParseSimConfig).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zebsim {

// ---- paper -------------------------------------------------------------------------------

enum class Paper : int { Letter = 0, A4 = 1, Legal = 2 };

struct PaperSize {
  Paper paper;
  const char* name;   // "Letter", "A4", "Legal"
  double widthInch;
  double lengthInch;
};

// The table of the scanner's paper sizes, in the order of Paper.
extern const PaperSize kPaperSizes[3];
const PaperSize& PaperSizeOf(Paper paper);
// Case-insensitive lookup by name; false when the name is unknown.
bool PaperByName(const std::string& name, Paper* out);

// ---- page images -------------------------------------------------------------------------

enum class PixelKind : int { BlackWhite = 0, Gray = 1, Color = 2 };

struct PageFormat {
  PixelKind kind = PixelKind::Gray;
  int xResolution = 300;  // dots per inch
  int yResolution = 300;
  Paper paper = Paper::Letter;
};

// Rows are stored top row first. Black-and-white: 1 bit per pixel, most significant bit first,
// 1 = white, 0 = black. Gray: one byte, 0 black to 255 white. Colour: three bytes R, G, B.
struct PageGeometry {
  int width;         // pixels per row
  int length;        // rows
  int bitsPerPixel;  // 1, 8 or 24
  int bytesPerRow;   // (width * bitsPerPixel + 7) / 8, no padding
};

// The geometry of a page; resolutions below 1 count as 1.
PageGeometry GeometryOf(const PageFormat& format);

// Writes row `row` (0 = top) of page `pageNumber` (1, 2, ...) into out (bytesPerRow bytes).
void RenderRow(const PageFormat& format, int pageNumber, int row, uint8_t* out);

// The whole page, top row first, rows of bytesPerRow bytes.
std::vector<uint8_t> RenderPage(const PageFormat& format, int pageNumber);

// A view of an image whose rows may be padded or stored bottom-up (as in a DIB).
struct ImageView {
  const uint8_t* data = nullptr;
  int width = 0;
  int length = 0;
  int stride = 0;        // bytes from one stored row to the next
  int bitsPerPixel = 8;  // 1 (1 = white), 8 (gray) or 24
  bool bgr = false;      // 24-bit pixels stored B, G, R (as in a DIB) instead of R, G, B
  bool bottomUp = false; // the first stored row is the bottom row of the page
  int xResolution = 300;
  int yResolution = 300;
};

// Reads the page number from an image made by RenderRow: -1 when the orientation mark is not in
// the top-left corner (the page is rotated or mirrored) or no number can be read.
int ReadPageNumber(const ImageView& image);

// ---- the feeder and its faults -----------------------------------------------------------

enum class Fault : int { None = 0, PaperJam, NoPaper, Cancel, DeviceError };

// Codes a simulated driver answers for each fault (negative, as the drivers report failures).
constexpr int32_t kSimPaperJam = -12;
constexpr int32_t kSimNoPaper = -16;
constexpr int32_t kSimCancelled = -5;
constexpr int32_t kSimDeviceError = -13;
int32_t FaultCode(Fault fault);  // 0 for Fault::None

// Name as written in the settings file: "none", "jam", "nopaper", "cancel", "device".
const char* FaultName(Fault fault);
bool FaultByName(const std::string& name, Fault* out);

struct SimSource {
  std::string listName;      // "Quandrix - <model padded to 20><firmware>"
  std::string manufacturer;
};

// A page lying skewed on the backing plate, the whole frame around it scanned (off by default).
struct PlateSetup {
  bool on = false;
  double skewDegrees = 0;  // the paper turned clockwise by this much
  double margin = 0.5;     // inches of plate on every side of the paper's upright outline
};

struct SimConfig {
  int sheets = 3;             // sheets in the feeder at start
  bool duplex = false;        // both sides of every sheet are pages
  bool flatbed = false;       // one page per scan from the glass; the feeder is not used
  Paper paper = Paper::Letter;  // the paper of every page
  Fault fault = Fault::None;  // raised once, at page faultPage of the feeder (1 = first page)
  int faultPage = 0;
  std::vector<SimSource> sources = DefaultSources();
  int32_t loadResult = 0;     // what the driver's Load entry point answers
  std::string productName = "ZS-3000";  // the maker's driver's model text (tag 0x9004)
  PlateSetup plate;           // pages skewed on the plate, for the deskew and crop step
  std::vector<int> blankPages;  // numbers of the feeder's pages that are blank paper
  bool empty = false;         // every scan ends at once with no page and no error, as a camera
                              // source with no pictures does (off by default)
  std::string feedReport;     // when set, the feeder's pages taken in so far are written there
  std::string sheetTimes;     // a file that gets one line per page delivered (empty: none)

  static std::vector<SimSource> DefaultSources();
};

// Reads a settings file's text:
//   [Feeder]  Sheets=3  Duplex=0|1  Flatbed=0|1  Paper=Letter|A4|Legal
//             Blank=2,5   (the pages, counted from 1 over the feeder, that are blank paper)
//             Empty=0|1   (1: every scan ends with no page and no error)
//             Times=PATH  (each page delivered whole appends "page-number microseconds" to PATH,
//                          the wall clock since 1970, for benchmarks that time a program's scan)
//   [Fault]   Kind=none|jam|nopaper|cancel|device  Page=k
//   [Sources] Count=n  Name1=...  Manufacturer1=...   (absent: the default sources)
//   [Driver]  LoadResult=code   (what the driver's Load answers; 0 when absent)
//             ProductName=text  (the model text the maker's driver answers, at most 33
//                                characters; "ZS-3000" when absent)
//   [Report]  Feeds=file  (the feeder rewrites "Fed=n" there each time it takes a page in, for
//             tests that a scan stopped before the next sheet; off when absent)
//   [Plate]   Skew=degrees  Margin=inches   (pages skewed on the plate, the frame scanned whole;
//             the plate is black when the BACKGROUND setting is 1, else white)
// Keys and section names ignore case; unknown keys are ignored. Answers false with a message for
// a value that cannot be read, leaving *out unchanged.
bool ParseSimConfig(const std::string& text, SimConfig* out, std::string* error);
// The same from a file; false when the file cannot be read.
bool LoadSimConfig(const std::string& path, SimConfig* out, std::string* error);

// What the feeder gives for the next page of a scan.
struct FeedResult {
  enum Kind { kPage, kEnd, kFault } kind;
  int pageNumber;    // kPage and kFault: the page's number among all pages the feeder holds
  bool back;         // kPage: the back side of a sheet (duplex)
  Fault fault;       // kFault
  bool midPage;      // kFault: the fault strikes after half of the page (jam, device error)
  bool blank = false;  // kPage: the sheet's side is blank paper
};

// Appends "page microseconds" (the wall clock since 1970) to the file.
void NoteSheetTime(const std::string& file, int page);

// The pages of the feeder across scans: a page that a fault or a stopped scan did not finish
// stays in the feeder and comes again at the next scan, so no page is lost or given twice.
class SimFeeder {
 public:
  explicit SimFeeder(const SimConfig& config);

  // Pages still in the feeder (the flatbed always holds one).
  int PagesLeft() const;
  bool PaperPresent() const { return PagesLeft() > 0; }
  int PagesDelivered() const { return delivered_; }

  void BeginScan();            // a new scan (job) starts
  FeedResult NextPage();       // the next page of this scan
  void PageDone();             // the page from NextPage was delivered whole

 private:
  SimConfig config_;
  int totalPages_;
  int delivered_ = 0;          // pages delivered whole, feeder and flatbed together
  int feederNext_ = 0;         // index of the next feeder page
  int pagesThisScan_ = 0;
  int fed_ = 0;                // feeder pages taken in, whole or not
  bool faultPending_;

  void PageTakenIn();
};

}  // namespace zebsim
