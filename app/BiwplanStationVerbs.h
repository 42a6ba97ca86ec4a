#pragma once

#include <CLI/CLI.hpp>

// The verbs of work at the stations, added as the other families are
// (BiwplanVerbs.h): the weld position reset, the standard station
// insertion and the fastening synchronisation.
void AddPositionResetVerbs(CLI::App& app, int& status);
void AddStationInsertionVerbs(CLI::App& app, int& status);
void AddSynchronisationVerbs(CLI::App& app, int& status);
