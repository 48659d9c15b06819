// The picture-import dialog's own part under the open dialog: the preview of the picture
// selected. Shared by the .rc and the code.
#pragma once

#define IDD_PICTUREPREVIEW 260
#define IDC_PICTUREPREVIEW 2601
