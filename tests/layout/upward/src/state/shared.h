// A state file reaching up into the bot: the include check must refuse it.
#include "bot/autoplay.h"
