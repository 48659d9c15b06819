// Which dialog template the library's dialogs run on, from the screen and the owner window's
// text metrics. Platform-free.
#pragma once

enum class LibraryDialog { kSettings, kArea, kMore };

struct TemplateChoice {
  const char* name;  // nullptr: the screen is refused
};

// screenWidth: the full-screen width in pixels; digitizedY: the text metrics' vertical
// digitising resolution; textHeight: their character height in pixels.
TemplateChoice ChooseDialogTemplate(LibraryDialog dialog, int screenWidth, int digitizedY,
                                    int textHeight);

// The warning shown when the screen is refused.
constexpr const char* kScreenRefusedText = "Please change the screen setting to 800*600!";
