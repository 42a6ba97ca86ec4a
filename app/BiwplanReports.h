#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "BiwplanTable.h"

class QIVDlgMultiList;

// The verbs that print what a dialog of the module lists, and what they
// share.

// The verb "report", whose subcommands the families add (made by the first
// that asks).
CLI::App& BiwplanReportVerb(CLI::App& app);
// The rows of a dialog's multi-column list under its column titles.
BiwplanTable BiwplanTableOf(const QIVDlgMultiList& list);

// An accountability report's list for a script, as docs/listing.schema.json
// describes it: {version, report, filter, product (null for the whole
// document), COUNT: how many were examined, items}. Each row has its
// position (column 0) as a number, the text columns under their keys, and
// its assignments (the last column) as a list: "None" is none, paths are
// split at ";".
struct BiwplanAccountabilityJson {
  const char* report;
  const char* countKey;
  std::vector<std::pair<const char*, int>> textColumns;
};
void BiwplanPrintAccountability(std::ostream& out, const BiwplanAccountabilityJson& form, const std::string& filter,
                                const std::string& product, const std::string& examined,
                                const QIVDlgMultiList& list);

// ids: the fastener identifier dialog's list, and the identifiers shown.
void AddIdentifierVerbs(CLI::App& app, int& status);
// report welds: the weld accountability report.
void AddWeldReportVerbs(CLI::App& app, int& status);
