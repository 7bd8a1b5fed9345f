#pragma once
// The configuration file the application reads and saves (Tarvik.ini), for the keys the fault views and dialogs read
// on their own.

#include <string>

std::string CurrentConfigFilePath();
