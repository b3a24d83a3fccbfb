// The program's start: the splash first, then the main window.
#pragma once

class frm_Main;

// Loads the main window (which shows the splash modally until it has
// closed itself), then shows the main window centred on the screen.
void startUp(frm_Main& mainWindow);
