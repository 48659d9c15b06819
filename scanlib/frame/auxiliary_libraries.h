// The helper libraries loaded at start-up when present: zebip.dll (deskew), cropdeskew2.dll
// (deskew and crop during acquisition) and FilterDll.dll (colour drop-out).
#pragma once

void LoadAuxiliaryLibraries();
void FreeAuxiliaryLibraries();
