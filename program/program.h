#pragma once
// The program block: creates the program's 49 windows in their fixed order, the main window
// first, so that every later window finds the program state and the UI texts ready.
class TFTessalinorFirmWare;

TFTessalinorFirmWare *Create_Forms();
// Deletes the windows in reverse order and clears their form variables.
void Destroy_Forms();
