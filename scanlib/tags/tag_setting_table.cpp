#include "tag_setting_table.h"

#include <cstdio>

const TagSetting kTagSettings[kTagCount] = {
    {kStoreDword, kCheckZ, "0"},            // SCANTYPE
    {kStoreDword, kCheckL, "0"},            // FEEDERTYPE
    {kStoreDword, kCheckS, "300"},          // XRESOLUTION
    {kStoreDword, kCheckS, "300"},          // YRESOLUTION
    {kStoreDword, kCheckS, "0"},            // PIXELTYPE, then BITSPERPIXEL follows it
    {kStoreWrittenOnly, kCheckS, "1"},      // BITSPERPIXEL: Default 1, never read
    {kStoreFourIntTexts, kCheckOwn, "0"},   // BRIGHTNESS
    {kStoreFourIntTexts, kCheckOwn, "0"},   // CONTRAST
    {kStoreFourDwords, kCheckOwn, "255"},   // HIGHLIGHT
    {kStoreFourDwords, kCheckOwn, "0"},     // SHADOW
    {kStoreFourGamma, kCheckOwn, "1.0"},    // GAMMA
    {kStoreDword, kCheckL, nullptr},        // FILTER: 0 with four choices, else 2
    {kStoreDword, kCheckS, "2"},            // UNITS
    {kStoreDword, kCheckL, "0"},            // COMPRESSION
    {kStoreText, kCheckC, "None"},          // DITHER
    {kStoreDword, kCheckL, "128"},          // THRESHOLD
    {kStoreDword, kCheckL, "0"},            // INVERT
    {kStoreDword, kCheckL, "0"},            // FILEFORMAT
    {kStoreGeometry, kCheckNone, "3300"},   // PHYSICALHEIGHT: Default is the loaded value
    {kStoreGeometry, kCheckNone, "2550"},   // PHYSICALWIDTH: likewise
    {kStoreGeometry, kCheckNone, "0"},      // XPOSITION
    {kStoreGeometry, kCheckNone, "0"},      // YPOSITION
    {kStoreGeometry, kCheckNone, "3300"},   // IMAGELENGTH
    {kStoreGeometry, kCheckNone, "2550"},   // IMAGEWIDTH
    {kStoreIntText, kCheckL, "-1"},         // XFERCOUNT
    {kStoreDword, kCheckOwn, "2"},          // PAGESIZE: S, but unknown sizes become 1
    {kStoreDword, kCheckL, "0"},            // ORIENTATION
    {kStoreDword, kCheckL, "0"},            // INDICATORS
    {kStoreDword, kCheckL, "0"},            // TRANSFERMODE
    {kStoreDword, kCheckNone, "0"},         // UICONTROL
    {kStoreDword, kCheckOwn, "2100000"},    // MINBUFFER
    {kStoreNone, kCheckNone, nullptr},      // file name
    {kStoreDword, kCheckL, "0"},            // SHARPEN
    {kStoreDword, kCheckL, "0"},            // COLORMATCH
    {kStoreDword, kCheckL, "0"},            // DESCREEN
    {kStoreNone, kCheckNone, nullptr},      // paper in the feeder
    {kStoreNone, kCheckNone, nullptr},      // 0x9004
    {kStoreNone, kCheckNone, nullptr},      // 0x9005
    {kStoreNone, kCheckNone, nullptr},      // 0x9006
    {kStoreDword, kCheckL, "0"},            // BATCHSCAN
    {kStoreDword, kCheckL, "0"},            // MULTIPAGE
    {kStoreNone, kCheckNone, nullptr},      // 0x9053
    {kStoreDword, kCheckZ, "0"},            // LANGUAGE
    {kStoreDword, kCheckC, "1"},            // AREASETTING
    {kStoreDword, kCheckC, "1"},            // MORESETTING
    {kStoreDword, kCheckC, "0"},            // BACKGROUND
    {kStoreDword, kCheckR, "15"},           // ENERGYSAVING
    {kStoreDword, kCheckC, "0"},            // DESKEW
    {kStoreDword, kCheckC, "0"},            // MIRROR
    {kStoreDword, kCheckC, "0"},            // AUTOCROP
    {kStoreDword, kCheckC, "0"},            // WHITEPAGE
    {kStoreDword, kCheckR, "116"},          // BLANKHOLD
    {kStoreDword, kCheckR, "25"},           // AUTOTYPEHOLD
    {kStoreDword, kCheckR, "0"},            // OVERSCAN
    {kStoreDword, kCheckR, "50"},           // BACKGROUNDLINES
    {kStoreDword, kCheckR, "11"},           // COMPRESSQUALITY
    {kStoreDword, kCheckR, "0"},            // LENGTHDETECT
    {kStoreDword, kCheckC, "0"},            // CONTINUEJOB
    {kStoreNone, kCheckNone, nullptr},      // 0x900A
};

void ChannelValueName(const char* name, int channel, char out[32]) {
  static const char* const kSuffix[] = {"", "_R", "_G", "_B"};
  std::snprintf(out, 32, "%s%s", name, kSuffix[channel & 3]);
}
