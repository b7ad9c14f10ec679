// The bot may include anything below it.
#include "state/shared.h"
