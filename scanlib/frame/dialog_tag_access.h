// The library dialogs' view of the tag records: what they show when they open, the texts of the
// localisation file, and OK's writes made as ZebSetValue makes them.
#pragma once
#include <vector>

#include "area_dialog.h"
#include "dialog_values.h"
#include "more_dialog.h"
#include "settings_dialog.h"

TagChoices ReadTagChoices(int row);
SettingsSnapshot ReadSettingsSnapshot();
MoreSnapshot ReadMoreSnapshot(int32_t channel, int32_t imageType);
AreaSnapshot ReadAreaSnapshot(const DialogWorkRecord& work);

// Texts of the language section of the file LOCALIZE names.
TextSource LibraryTexts();

// Each write in turn; a value the tag refuses is not stored and the next write goes on.
void ApplyTagWrites(const std::vector<TagWrite>& writes);
