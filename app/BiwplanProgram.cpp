#include <CLI/CLI.hpp>

#include "BiwplanCli.h"
#include "BiwplanReports.h"
#include "BiwplanStationVerbs.h"
#include "BiwplanVerbs.h"

int BiwplanRun(const std::vector<std::string>& arguments) {
  CLI::App app("biwplan: process planning of car-body assembly", "biwplan");
  app.require_subcommand(1);
  // The parser's messages quote the user's words: escaped as every message.
  app.failure_message([](const CLI::App* parser, const CLI::Error& error) {
    const std::string what = error.what();
    return BiwplanPrintable(what) + CLI::FailureMessage::simple(parser, error).substr(what.size());
  });
  int status = BiwplanExit::Ok;
  AddAppearanceVerbs(app, status);
  AddAssignmentVerbs(app, status);
  AddAssemblyVerbs(app, status);
  AddAutoAssignVerbs(app, status);
  AddBalanceVerbs(app, status);
  AddDiffVerbs(app, status);
  AddDocumentVerbs(app, status);
  AddEditingVerbs(app, status);
  AddIdentifierVerbs(app, status);
  AddActivityCreationVerbs(app, status);
  AddLocationExportVerbs(app, status);
  AddLocatorVerbs(app, status);
  AddPositionResetVerbs(app, status);
  AddPreviewVerbs(app, status);
  AddPropertiesVerbs(app, status);
  AddRepositoryVerbs(app, status);
  AddReallocationVerbs(app, status);
  AddSelectionVerbs(app, status);
  AddServeVerbs(app, status);
  AddSessionVerbs(app, status);
  AddStationInsertionVerbs(app, status);
  AddSynchronisationVerbs(app, status);
  AddWeldImportVerbs(app, status);
  AddWeldReportVerbs(app, status);
  // The parser takes the words last first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return BiwplanExit::Usage;
  }
  return status;
}
