// Control ids of the source dialogs (shared by the templates and the dialog code).
#pragma once
#define IDC_SOURCE_SETUP 400
#define IDC_SOURCE_LABEL 401
#define IDC_SOURCE_LIST 402
#define IDC_SOURCE_INFO_LIST 403
