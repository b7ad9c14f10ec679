// Tutorial script.
#include "shell/tutorial.h"

void update_tutorial() {}
