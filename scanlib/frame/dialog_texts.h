// Which localisation key names each control of the library's dialogs, with the built-in text
// used when the file, its section or the key is missing. Platform-free.
#pragma once
#include <cstddef>

struct DialogText {
  int id;  // control id; 0 the dialog's caption
  const char* key;
  const char* fallback;
};

struct DialogTexts {
  const DialogText* items;
  size_t count;
};

DialogTexts SettingsDialogTexts();
DialogTexts AreaDialogTexts();
DialogTexts MoreDialogTexts();

// The key prefixes of the labelled lists, each labelled from value 0 on.
constexpr const char* kImageTypeLabels = "IMAGETYPE";
constexpr const char* kScanMethodLabels = "SCANMETHOD";
constexpr const char* kPaperSizeLabels = "PAPERSIZE";

// Texts are read up to this many bytes.
constexpr int kDialogTextBytes = 64;
