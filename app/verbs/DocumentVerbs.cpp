#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <utility>

#include "BiwplanCli.h"
#include "BiwplanFeatureImport.h"
#include "BiwplanProductImport.h"
#include "BiwplanProgress.h"
#include "BiwplanRecords.h"
#include "BiwplanSaving.h"
#include "BiwplanSample.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"
#include "QIVIDocument.h"

namespace {

BiwplanTable::Format FormatOf(const std::string& word) {
  BiwplanTable::Format format = BiwplanTable::Text;
  BiwplanTable::ParseFormat(word, format);
  return format;
}

}  // namespace

void AddDocumentVerbs(CLI::App& app, int& status) {
  {
    auto* verb = app.add_subcommand("new", "Create a document (empty: a process root \"Process\", no products)");
    auto path = std::make_shared<std::string>();
    auto sample = std::make_shared<bool>(false);
    auto force = std::make_shared<bool>(false);
    verb->add_option("DOC", *path, "Document file to create")->required();
    verb->add_flag("--sample", *sample, "Fill it with the sample under-body sub-assembly and its process");
    verb->add_flag("--force", *force, "Replace the file when it exists");
    verb->callback([&status, path, sample, force] {
      BiwplanSession session;
      if (!BiwplanLock(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::error_code ignored;
      if (!*force && std::filesystem::exists(std::filesystem::symlink_status(*path, ignored))) {
        status = BiwplanFail(*path + " already exists; nothing written (--force replaces it)");
        return;
      }
      session.OpenNew(*path);
      std::string error;
      if (*sample && !BiwplanSample::Build(session.Document(), error)) {
        status = BiwplanFail(error);
        return;
      }
      status = BiwplanSave(session) ? BiwplanExit::Ok : BiwplanExit::Failed;
      if (status == BiwplanExit::Ok) std::cout << "created " << *path << '\n';
    });
  }
  {
    auto* verb = app.add_subcommand("import-products", "Build the product tree from a CSV bill of materials");
    auto path = std::make_shared<std::string>();
    auto bom = std::make_shared<std::string>();
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("BOM", *bom, "CSV with the header parent,instance,reference[,x,y,z,roll,pitch,yaw]")
        ->required();
    auto saving = std::make_shared<BiwplanSaving>();
    saving->AddOptions(*verb);
    verb->callback([&status, path, bom, saving] {
      BiwplanSession session;
      if (!saving->Open(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::string error;
      const int count = BiwplanProductImport::Import(session.Document(), *bom, error);
      if (count < 0) {
        status = BiwplanFail(error + " (nothing imported)");
        return;
      }
      if (count == 0) {
        status = BiwplanReport(BiwplanExit::NothingToDo, *bom + " holds no product; nothing imported");
        return;
      }
      status = saving->Finish(session, BiwplanExit::Ok);
      if (status == BiwplanExit::Ok) std::cout << "imported " << count << " products\n";
    });
  }
  {
    auto* verb = app.add_subcommand(
        "import-features", "Bring in the datums, datum targets, locating and clamping points of a fixture from CSV");
    auto path = std::make_shared<std::string>();
    auto file = std::make_shared<std::string>();
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("FILE", *file, "CSV with the header kind,name,part,x,y,z[,roll,pitch,yaw][,text]")->required();
    auto saving = std::make_shared<BiwplanSaving>();
    saving->AddOptions(*verb);
    verb->callback([&status, path, file, saving] {
      BiwplanSession session;
      if (!saving->Open(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::string error;
      const int count = BiwplanFeatureImport::Import(session.Document(), *file, error);
      if (count < 0) {
        status = BiwplanFail(error + " (nothing imported)");
        return;
      }
      if (count == 0) {
        status = BiwplanReport(BiwplanExit::NothingToDo, *file + " holds no feature; nothing imported");
        return;
      }
      status = saving->Finish(session, BiwplanExit::Ok);
      if (status == BiwplanExit::Ok) std::cout << "imported " << count << " features\n";
    });
  }
  {
    auto* verb = app.add_subcommand("info", "Count the objects of a document by kind");
    auto path = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("table");
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("--format", *format, "table, csv or json")->check(CLI::IsMember({"table", "csv", "json"}));
    verb->callback([&status, path, format] {
      BiwplanSession session;
      if (!BiwplanOpen(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      BiwplanTable table({"kind", "variant", "count"});
      for (const QIVIDocument::KindCount& entry : session.Document()->CountObjectsByKind())
        table.AddRow({entry.kind, entry.subKind, std::to_string(entry.count)});
      BiwplanTable::Format chosen = BiwplanTable::Text;
      BiwplanTable::ParseFormat(*format, chosen);
      table.Print(std::cout, chosen);
      status = BiwplanExit::Ok;
    });
  }
  {
    auto* verb = app.add_subcommand("list", "List the products, activities, fasteners, joints or features of a document");
    auto path = std::make_shared<std::string>();
    auto what = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("table");
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("WHAT", *what, "products, activities, fasteners, joints or features")
        ->required()
        ->check(CLI::IsMember({"products", "activities", "fasteners", "joints", "features"}));
    verb->add_option("--format", *format, "table, csv or json")->check(CLI::IsMember({"table", "csv", "json"}));
    verb->callback([&status, path, what, format] {
      BiwplanSession session;
      if (!BiwplanOpen(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      BiwplanRecords::Kind kind = BiwplanRecords::Products;
      BiwplanRecords::ParseKind(*what, kind);
      // A bar would garble a listing written to the same terminal.
      BiwplanProgress progress("listing " + *what);
      const auto onEach = ::isatty(STDOUT_FILENO) ? std::function<void(std::size_t, std::size_t)>()
                                                  : progress.Callback();
      const BiwplanRecords records(session.Document());
      BiwplanRecords::Print(
          kind, FormatOf(*format), [&](const auto& onRecord) { records.ForEach(kind, onRecord, onEach); },
          std::cout);
      status = BiwplanExit::Ok;
    });
  }
  {
    auto* verb = app.add_subcommand("show", "Print one object's full record");
    auto path = std::make_shared<std::string>();
    auto reference = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("table");
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("REF", *reference,
                     "Object reference, e.g. fastener:\"W2001, A\", process:\"Process/UnderBody Line\"")
        ->required();
    verb->add_option("--format", *format, "table, csv or json")->check(CLI::IsMember({"table", "csv", "json"}));
    verb->callback([&status, path, reference, format] {
      BiwplanSession session;
      if (!BiwplanOpen(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      const QIVBaseUnknown_var object = BiwplanFindObject(session, *reference);
      if (!object) {
        status = BiwplanExit::Failed;
        return;
      }
      BiwplanRecords::Kind kind;
      BiwplanRecords::Json record;
      if (!BiwplanRecords(session.Document()).Record(object, kind, record)) {
        status = BiwplanFail(*reference + " is no product, activity, fastener, joint or feature");
        return;
      }
      if (*format == "table") {
        BiwplanTable table({"attribute", "value"});
        for (const auto& [key, value] : record.items())
          table.AddRow({key, value.is_string() ? value.get<std::string>() : value.dump()});
        table.Print(std::cout, BiwplanTable::Text);
      } else {
        BiwplanRecords::Print(kind, FormatOf(*format), [&](const auto& onRecord) { onRecord(record); }, std::cout);
      }
      status = BiwplanExit::Ok;
    });
  }
}
