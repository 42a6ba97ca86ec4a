#include <cerrno>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanProgress.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "QIVFile.h"
#include "QIVISpecObject.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeatureChildMgmt.h"

namespace {

struct WeldImport {
  std::string document;
  std::string weldFile;
  BiwplanSaving saving;
};

// What an import made: assembly joints (groups under the top fastener
// group), joint bodies (groups under a joint), and fasteners by type.
struct FastenerCounts {
  int joints = 0;
  int jointBodies = 0;
  int fasteners = 0;
  std::map<std::string, int> fastenersByType;
};

// Counted among the objects the import's command created (it deletes
// none), so that the report costs what the import made, not two walks
// over every fastener of the document.
FastenerCounts CountCreated(const QIVIDocument_var& document,
                            const std::vector<QIVBaseUnknown_var>& created) {
  FastenerCounts counts;
  QIVBaseUnknown_var container, top;
  ZELFastenerServices::GetProductFeatureContainer(container, QIVBaseUnknown_var(document));
  ZELIBIWFPPFactory_var factory(container);
  if (!factory || FAILED(factory->GetTopGroup(top))) return counts;
  const auto fatherOf = [](const QIVBaseUnknown_var& object) {
    QIVBaseUnknown_var father;
    if (QIVISpecObject_var spec = object; spec) spec->GetSpecFather(father);
    return father;
  };
  for (const QIVBaseUnknown_var& object : created) {
    if (ZELIBIWFastener_var fastener = object) {
      ++counts.fastenersByType[fastener->GetType().str()];
      ++counts.fasteners;
    } else if (ZELIBIWFeatureChildMgmt_var(object)) {
      const QIVBaseUnknown_var father = fatherOf(object);
      if (father == top)
        ++counts.joints;
      else if (father && fatherOf(father) == top)
        ++counts.jointBodies;
    }
  }
  return counts;
}

void PrintCreated(const FastenerCounts& created) {
  std::cout << "created " << created.joints << " assembly joints, " << created.jointBodies << " joint bodies\n";
  std::string byType;
  for (const auto& [type, count] : created.fastenersByType)
    byType += (byType.empty() ? ": " : ", ") + std::to_string(count) + " " +
              (type.empty() ? std::string("(no type)") : type);
  std::cout << "created " << created.fasteners << " fasteners" << byType << '\n';
}

// The planner's steps: the file chosen through the browse button, so that
// a file that is not a weld file is refused in the dialog's box; then OK,
// or Cancel after a refusal.
int ImportWelds(const WeldImport& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  QIVFile file;
  if (FAILED(QIVFOpen(request.weldFile, "r", file)))
    return BiwplanFail(QIVDescribeFileError("open", request.weldFile, errno).str());
  QIVFClose(file);
  BiwplanProgress progress("importing welds");
  progress.Watch(session.Session());

  BiwplanSteps steps("import-welds");
  int status = steps.Add(JournalVerb::Start, {"ZELVekBIWReadWeldFromFileCmd"})
                   .Add(JournalVerb::Press, {"ButtonTextId"})
                   .File(request.weldFile)
                   .Play(session);
  if (status != BiwplanExit::Ok) return status;
  if (!BiwplanOutcome(session, "ZELVekBIWReadWeldFromFileCmd").boxes.empty()) {
    steps.Add(JournalVerb::Press, {"Cancel"}).Play(session);
    return BiwplanReport(BiwplanExit::Refused,
                         request.weldFile +
                             " is not a weld file (a .txt, .TXT or .QIVWeld file whose first two lines are "
                             "\"TOVASK Welds Spot Generation\" and \"3.0\"); nothing was imported");
  }
  status = steps.Add(JournalVerb::Press, {"OK"}).Play(session);
  if (status != BiwplanExit::Ok) return status;

  const FastenerCounts created =
      CountCreated(session.Document(), BiwplanOutcome(session, "ZELVekBIWReadWeldFromFileCmd").created);
  PrintCreated(created);
  // No fastener made: every record refused (the summary box lists them),
  // or none in the file.
  if (created.fasteners == 0)
    return BiwplanReport(
        BiwplanOutcome(session, "ZELVekBIWReadWeldFromFileCmd").boxes.empty() ? BiwplanExit::NothingToDo
                                                                               : BiwplanExit::Refused,
        "no fastener of " + request.weldFile + " could be made; nothing imported");
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddWeldImportVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand("import-welds",
                                  "Import the welds of a weld text file into assembly joints, joint bodies and "
                                  "fasteners, through the weld import dialog");
  auto request = std::make_shared<WeldImport>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("WELDFILE", request->weldFile, "Weld text file (.txt, .TXT or .QIVWeld)")->required();
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = ImportWelds(*request); });
}
