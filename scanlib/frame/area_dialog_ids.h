// Control ids of the scan-area dialog; the layout, page-size and page-side controls share the
// settings dialog's ids.
#pragma once
#include "settings_dialog_ids.h"
#define IDC_AREA_PREVIEW_BUTTON 1130
#define IDC_AREA_GROUP 1100
#define IDC_AREA_X_LABEL 1101
#define IDC_AREA_X 1102
#define IDC_AREA_Y_LABEL 1103
#define IDC_AREA_Y 1104
#define IDC_AREA_WIDTH_LABEL 1105
#define IDC_AREA_WIDTH 1106
#define IDC_AREA_LENGTH_LABEL 1107
#define IDC_AREA_LENGTH 1108
#define IDC_AREA_FRAME 1109
#define IDC_UNIT_INCH 1120
#define IDC_UNIT_CM 1121
#define IDC_UNIT_PIXEL 1122
