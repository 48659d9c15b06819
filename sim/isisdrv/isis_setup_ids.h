// Control ids of the ISIS driver's set-up window.
#pragma once
#define IDC_ISIS_SETUP_MODEL 100
#define IDC_ISIS_SETUP_OFFER 101
