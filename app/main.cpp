#include <CLI/CLI.hpp>

#include "BiwplanCli.h"
#include "BiwplanVerbs.h"

int main(int argc, char** argv) {
  CLI::App app("biwplan: process planning of car-body assembly", "biwplan");
  app.require_subcommand(1);
  int status = BiwplanExit::Ok;
  AddAssignmentVerbs(app, status);
  AddAssemblyVerbs(app, status);
  AddDocumentVerbs(app, status);
  AddEditingVerbs(app, status);
  AddActivityCreationVerbs(app, status);
  AddLocationExportVerbs(app, status);
  AddSessionVerbs(app, status);
  AddWeldImportVerbs(app, status);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return BiwplanExit::Usage;
  }
  return status;
}
