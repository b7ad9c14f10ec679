// Browser backend: WebGL 1 drawing into the page's canvas, input from the page's events,
// frames shown on the browser's animation frames, sound through the browser's OpenAL and
// saves kept in IndexedDB. The page (web/site) sets up the canvas, the data package and
// the saves folder before the game starts.
#pragma once

#include <memory>
#include <string>

#include "platform/backend.h"

std::unique_ptr<Backend> CreateWebBackend();
// Installs the web backend, the browser's sound output and the saving of changed files
// to IndexedDB.
void UseWebPlatform();
// Tells the page that start-up is over and the game's first screen is up.
void WebGameReady();
// Tells the page how the run ended (exit code) and shows a fatal error's message there.
void WebGameEnded(int code, const std::string& error);
