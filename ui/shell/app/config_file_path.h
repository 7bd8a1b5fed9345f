#pragma once
// The configuration file the application reads and saves (Tarvik.ini), for the keys that views and dialogs of every
// area read on their own.

#include <string>

std::string CurrentConfigFilePath();
