#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

// Runs the program on its words (without the program's name): the verb's
// exit status (BiwplanExit), Usage when the words are refused.
int BiwplanRun(const std::vector<std::string>& arguments);

// Each family of verbs adds its subcommands to the program; the callback of
// the verb that runs stores its exit status (BiwplanExit) in `status`.
void AddAppearanceVerbs(CLI::App& app, int& status);
void AddAssignmentVerbs(CLI::App& app, int& status);
void AddAssemblyVerbs(CLI::App& app, int& status);
void AddAutoAssignVerbs(CLI::App& app, int& status);
void AddBalanceVerbs(CLI::App& app, int& status);
void AddActivityCreationVerbs(CLI::App& app, int& status);
void AddDiffVerbs(CLI::App& app, int& status);
void AddDocumentVerbs(CLI::App& app, int& status);
void AddEditingVerbs(CLI::App& app, int& status);
void AddLocationExportVerbs(CLI::App& app, int& status);
void AddLocatorVerbs(CLI::App& app, int& status);
void AddPreviewVerbs(CLI::App& app, int& status);
void AddPropertiesVerbs(CLI::App& app, int& status);
void AddRepositoryVerbs(CLI::App& app, int& status);
void AddReallocationVerbs(CLI::App& app, int& status);
void AddSelectionVerbs(CLI::App& app, int& status);
void AddServeVerbs(CLI::App& app, int& status);
void AddSessionVerbs(CLI::App& app, int& status);
void AddWeldImportVerbs(CLI::App& app, int& status);
