#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "BiwplanCli.h"
#include "BiwplanProgress.h"
#include "BiwplanVerbs.h"
#include "QIVAtomicFile.h"
#include "QIVFrmEditor.h"
#include "QIVPlantLibraryFile.h"
#include "QIVRepository.h"
#include "ZELPLMServices.h"

using Json = nlohmann::ordered_json;

namespace {

// Opens the repository the verb names (or the one configured); on failure
// one line naming the place, never its password.
std::unique_ptr<QIVRepository> OpenRepository(const std::string& option) {
  const QIVRepositoryLocation location = QIVRepositoryLocation::Resolve(option);
  try {
    return QIVRepository::Open(location);
  } catch (const QIVSqlError& error) {
    BiwplanFail("cannot open the repository " + location.Display() + ": " + error.what());
    return nullptr;
  }
}

std::string Describe(QIVRepository& repository) {
  return repository.Location().Display() + " (" + repository.Connection().EngineName() + ", schema version " +
         std::to_string(repository.SchemaVersion()) + ")";
}

int Init(const std::string& option) {
  std::unique_ptr<QIVRepository> repository = OpenRepository(option);
  if (!repository) return BiwplanExit::Failed;
  std::cout << "repository ready: " << Describe(*repository) << '\n';
  return BiwplanExit::Ok;
}

int Status(const std::string& option) {
  std::unique_ptr<QIVRepository> repository = OpenRepository(option);
  if (!repository) return BiwplanExit::Failed;
  const QIVRepository::Counts counts = repository->GetCounts();
  std::cout << "repository:     " << Describe(*repository) << '\n'
            << "fasteners:      " << counts.fasteners << '\n'
            << "features:       " << counts.features << '\n'
            << "assignments:    " << counts.assignments << " from " << counts.documents << " documents\n"
            << "templates:      " << counts.templates << " with " << counts.stations << " stations\n"
            << "resources:      " << counts.resources << '\n'
            << "plant types:    " << counts.plantTypes << '\n';
  return BiwplanExit::Ok;
}

int ImportLibrary(const std::string& option, const std::string& path) {
  QIVLibraryContents library;
  std::string error;
  if (!QIVPlantLibraryFile::Read(path, library, error)) return BiwplanFail(error);
  std::unique_ptr<QIVRepository> repository = OpenRepository(option);
  if (!repository) return BiwplanExit::Failed;
  try {
    repository->ReplaceLibrary(library);
  } catch (const QIVSqlError& failure) {
    return BiwplanFail("the library was not imported: " + std::string(failure.what()));
  }
  std::size_t stations = 0;
  for (const QIVLibraryTemplate& entry : library.templates) stations += entry.stations.size();
  std::cout << "imported " << library.templates.size() << " templates (" << stations << " stations), "
            << library.resources.size() << " resources and " << library.plantTypes.size() << " plant types into "
            << repository->Location().Display() << '\n';
  return BiwplanExit::Ok;
}

int Publish(const std::string& option, const std::string& path) {
  BiwplanSession session;
  if (!BiwplanOpen(session, path, true)) return BiwplanExit::Failed;
  std::unique_ptr<QIVRepository> repository = OpenRepository(option);
  if (!repository) return BiwplanExit::Failed;
  QIVPublicationResult result;
  BiwplanProgress progress("publishing");
  progress.Watch(session.Session());
  try {
    result = ZELPLMServices::PublishDocument(QIVBaseUnknown_var(session.Document()), *repository);
  } catch (const QIVSqlError& error) {
    return BiwplanFail(error.what());
  }
  if (!BiwplanSave(session)) return BiwplanExit::Failed;
  long long fasteners = 0, elsewhere = 0;
  for (std::size_t i = 0; i < result.plmIds.size(); ++i) {
    if (result.versions[i] == 0) continue;
    ++fasteners;
    if (!repository->AssignmentPathsOutside(result.documentId, result.plmIds[i]).empty()) ++elsewhere;
  }
  std::cout << "published " << path << " as " << result.documentId << " to " << repository->Location().Display()
            << ": " << fasteners << " fasteners, " << result.plmIds.size() - fasteners
            << " locators and clamping points\n"
            << "K2 assignments: " << elsewhere << " of its fasteners are assigned by other documents too\n";
  return BiwplanExit::Ok;
}

Json Position(const std::optional<QIVPosition>& position) {
  return position ? Json(std::vector<double>(position->begin(), position->end())) : Json();
}

int Export(const std::string& option, const std::string& path) {
  std::unique_ptr<QIVRepository> repository = OpenRepository(option);
  if (!repository) return BiwplanExit::Failed;
  Json root = Json::object();
  try {
    root["schemaVersion"] = repository->SchemaVersion();
    root["library"] = Json::parse(QIVPlantLibraryFile::Write(repository->GetLibrary()));
    Json& fasteners = root["fasteners"] = Json::array();
    for (const QIVFastenerRecord& record : repository->GetFasteners(repository->GetFastenerIds()))
      fasteners.push_back({{"plmId", record.plmId}, {"name", record.name}, {"version", record.version},
                           {"design", Position(record.design)}, {"saved", Position(record.saved)},
                           {"publishedBy", record.publishedBy}});
    Json& features = root["features"] = Json::array();
    const std::vector<std::string> ids = repository->GetFeatureIds();
    std::vector<std::optional<QIVAttributes>> attributes = repository->GetAttributes(ids, {});
    for (std::size_t i = 0; i < ids.size(); ++i) {
      Json values = Json::object();
      for (const auto& [name, value] : attributes[i].value_or(QIVAttributes())) {
        if (value.Text()) values[name] = *value.Text();
        if (value.Integer()) values[name] = *value.Integer();
        if (value.Real()) values[name] = *value.Real();
      }
      features.push_back({{"plmId", ids[i]}, {"attributes", values}});
    }
    Json& assignments = root["assignments"] = Json::array();
    for (const QIVAssignmentRecord& assignment : repository->GetAssignmentsOutside(std::string()))
      assignments.push_back(
          {{"document", assignment.documentId}, {"activity", assignment.activityPath}, {"plmId", assignment.plmId}});
  } catch (const QIVSqlError& error) {
    return BiwplanFail("cannot read the repository " + repository->Location().Display() + ": " + error.what());
  }
  QIVUnicodeString error;
  if (FAILED(QIVWriteFileAtomically(path, root.dump(2) + "\n", error))) return BiwplanFail(error.str());
  std::cout << "wrote " << path << '\n';
  return BiwplanExit::Ok;
}

}  // namespace

void AddRepositoryVerbs(CLI::App& app, int& status) {
  CLI::App* repo = app.add_subcommand("repo", "Work with the plant's PLM repository (docs/repository.md)");
  repo->require_subcommand(1);
  auto option = std::make_shared<std::string>();
  auto argument = std::make_shared<std::string>();
  const char* where = "The repository: a file path or a postgresql:// URL (else BIWPLAN_REPOSITORY, else the "
                      "user's data folder)";
  struct Verb {
    const char* name;
    const char* help;
    const char* argumentName;
    const char* argumentHelp;
    int (*run)(const std::string& option, const std::string& argument);
  };
  const Verb verbs[] = {
      {"init", "Create the repository, or bring an older one up to date", "URL", "Where to create it (as --repository)",
       [](const std::string& option, const std::string& url) { return Init(url.empty() ? option : url); }},
      {"status", "Say where the repository is, its schema version and what it holds", nullptr, nullptr,
       [](const std::string& option, const std::string&) { return Status(option); }},
      {"import-library", "Replace the plant library with the one of a library file (docs/plant-library.md)",
       "FILE", "Plant library file", ImportLibrary},
      {"publish", "Publish a document: identifiers, saved manufacturing positions and assignments", "DOC",
       "Document file", Publish},
      {"export", "Write the whole repository to a JSON file", "FILE", "JSON file to write", Export},
  };
  for (const Verb& verb : verbs) {
    CLI::App* command = repo->add_subcommand(verb.name, verb.help);
    command->add_option("--repository", *option, where);
    if (verb.argumentName) {
      CLI::Option* given = command->add_option(verb.argumentName, *argument, verb.argumentHelp);
      if (std::string(verb.name) != "init") given->required();
    }
    command->callback([&status, option, argument, run = verb.run] { status = run(*option, *argument); });
  }
}
