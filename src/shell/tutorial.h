// The tutorial script of the first level.
#pragma once

void update_tutorial();
