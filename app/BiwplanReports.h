#pragma once

#include <CLI/CLI.hpp>

#include "BiwplanTable.h"

class QIVDlgMultiList;

// The verbs that print what a dialog of the module lists, and what they
// share.

// The verb "report", whose subcommands the families add (made by the first
// that asks).
CLI::App& BiwplanReportVerb(CLI::App& app);
// The rows of a dialog's multi-column list under its column titles.
BiwplanTable BiwplanTableOf(const QIVDlgMultiList& list);

// ids: the fastener identifier dialog's list, and the identifiers shown.
void AddIdentifierVerbs(CLI::App& app, int& status);
// report welds: the weld accountability report.
void AddWeldReportVerbs(CLI::App& app, int& status);
