// The menu loop.
#include "ui/menu_loop.h"

#include "state/globals.h"

void run_menu_loop()
{
    menu_requested = 0;
    level_start_pending = 1;
}
