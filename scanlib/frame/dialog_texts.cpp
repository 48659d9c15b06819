#include "dialog_texts.h"

#include "area_dialog_ids.h"
#include "more_dialog_ids.h"
#include "settings_dialog_ids.h"

namespace {

constexpr int kOk = 1, kCancel = 2;

const DialogText kSettings[] = {
    {IDC_SET_MODE_LABEL, "ImageType", "Image type:"}, {IDC_SET_DITHER_LABEL, "Dither", "Dither:"},
    {IDC_SET_RES_LABEL, "Resolution", "Resolution:"}, {IDC_SET_METHOD_LABEL, "ScanMethod", "Scan method:"},
    {IDC_PAGE_SIZE_LABEL, "PageSize", "Page size:"}, {IDC_LAYOUT, "Layout", "Layout:"},
    {IDC_PORTRAIT, "Portrait", "Portrait"}, {IDC_LANDSCAPE, "Landscape", "Landscape"},
    {IDC_PAGE_SIDE, "PageSide", "Page side:"}, {IDC_SIDE_BOTH, "Both", "Both"},
    {IDC_SIDE_FRONT, "Front", "Front"}, {IDC_SIDE_REAR, "Rear", "Rear"},
    {IDC_SET_BRIGHT_GROUP, "Brightness", "Brightness"}, {IDC_SET_CONTRAST_GROUP, "Contrast", "Contrast"},
    {kOk, "OK", "OK"}, {kCancel, "Cancel", "Cancel"}, {IDC_SET_DEFAULT, "Default", "Default"},
    {IDC_SET_AREA, "AreaButton", "Area"}, {IDC_SET_MORE, "MoreButton", "More"},
};

const DialogText kArea[] = {
    {0, "AreaDialog", "Scan area setting..."}, {IDC_UNIT_INCH, "Inch", "Inch"},
    {IDC_UNIT_CM, "Cm", "Cm"}, {IDC_UNIT_PIXEL, "Pixel", "Pixel"},
    {IDC_PAGE_SIZE_LABEL, "PageSize", "Page size:"}, {IDC_LAYOUT, "Layout", "Layout:"},
    {IDC_PORTRAIT, "Portrait", "Portrait"}, {IDC_LANDSCAPE, "Landscape", "Landscape"},
    {IDC_PAGE_SIDE, "PageSide", "Page side:"}, {IDC_SIDE_BOTH, "Both", "Both"},
    {IDC_SIDE_FRONT, "Front", "Front"}, {IDC_SIDE_REAR, "Rear", "Rear"},
    {IDC_AREA_GROUP, "Area", "Area:"}, {IDC_AREA_X_LABEL, "X", "X:"}, {IDC_AREA_Y_LABEL, "Y", "Y:"},
    {IDC_AREA_WIDTH_LABEL, "Width", "Width:"}, {IDC_AREA_LENGTH_LABEL, "Length", "Length:"},
    {kOk, "OK", "OK"}, {kCancel, "Cancel", "Cancel"},
};

const DialogText kMore[] = {
    {0, "MoreDialog", "More setting..."}, {IDC_MORE_DROP_GROUP, "ColorDrop", "Color drop-out"},
    {IDC_MORE_GRAYWHITE, "GrayWhite", "GrayWhite"}, {IDC_MORE_RED, "RChannel", "R Channel"},
    {IDC_MORE_GREEN, "GChannel", "G Channel"}, {IDC_MORE_BLUE, "BChannel", "B Channel"},
    {IDC_MORE_BACK_GROUP, "BackGroundSetting", "Background Setting"},
    {IDC_MORE_WHITE_BACK, "WhiteBackground", "White Background"},
    {IDC_MORE_BLACK_BACK, "BlackBackground", "Black Background"},
    {IDC_MORE_ENERGY_GROUP, "EnergySetting", "Energy Setting"}, {IDC_MORE_LAMP, "Energy", "Energy"},
    {IDC_MORE_MINUTES_LABEL, "Minute", "Minute"}, {IDC_MORE_OPTIONS, "OptionSetting", "Options"},
    {IDC_MORE_INVERT, "Invert", "Invert"}, {IDC_MORE_AUTOCROP, "AutoCrop", "Auto Crop"},
    {IDC_MORE_DESKEW, "Deskew", "Deskew"}, {IDC_MORE_MIRROR, "Mirror", "Mirror"},
    {IDC_MORE_SHARPEN, "Sharpen", "Sharpen"}, {IDC_MORE_DESCREEN, "Descreen", "Descreen"},
    {IDC_MORE_CUSTOM, "CustomSetting", "Custom Setting..."}, {kOk, "OK", "OK"},
    {kCancel, "Cancel", "Cancel"},
};

template <size_t N>
DialogTexts Of(const DialogText (&items)[N]) {
  return {items, N};
}

}  // namespace

DialogTexts SettingsDialogTexts() { return Of(kSettings); }
DialogTexts AreaDialogTexts() { return Of(kArea); }
DialogTexts MoreDialogTexts() { return Of(kMore); }
