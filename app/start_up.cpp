#include "start_up.h"

#include "frm_Main.h"
#include "window_helpers.h"

void startUp(frm_Main& mainWindow)
{
    mainWindow.load();
    mainWindow.adjustSize();
    tagora::runtime::centerOnScreen(&mainWindow);
    mainWindow.show();
}
