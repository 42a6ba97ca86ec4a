#include <cerrno>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "BiwplanCli.h"
#include "BiwplanProgress.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "QIVFile.h"
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

// What the document's fastener structure holds: assembly joints, joint
// bodies, and fasteners by type.
struct FastenerCounts {
  int joints = 0;
  int jointBodies = 0;
  int fasteners = 0;
  std::map<std::string, int> fastenersByType;
};

FastenerCounts CountFasteners(const QIVIDocument_var& document) {
  FastenerCounts counts;
  QIVBaseUnknown_var container, top;
  ZELFastenerServices::GetProductFeatureContainer(container, QIVBaseUnknown_var(document));
  ZELIBIWFPPFactory_var factory(container);
  if (!factory || FAILED(factory->GetTopGroup(top))) return counts;
  QIVListValQIVBaseUnknown_var joints;
  ZELIBIWFeatureChildMgmt_var(top)->GetChildren(joints, ZELIBIWFeatureChildMgmt::ClassName());
  counts.joints = joints.Size();
  for (const QIVBaseUnknown_var& joint : joints) {
    QIVListValQIVBaseUnknown_var jointBodies;
    ZELIBIWFeatureChildMgmt_var(joint)->GetChildren(jointBodies, ZELIBIWFeatureChildMgmt::ClassName());
    counts.jointBodies += jointBodies.Size();
  }
  _SEQUENCE_QIVBaseUnknown_ptr fasteners;
  ZELFastenerServices::GetListOfAllFasteners(fasteners, QIVBaseUnknown_var(document));
  for (QIVBaseUnknown*& entry : fasteners) {
    if (ZELIBIWFastener_var fastener(entry); fastener) {
      ++counts.fastenersByType[fastener->GetType().str()];
      ++counts.fasteners;
    }
    if (entry) std::exchange(entry, nullptr)->Release();
  }
  return counts;
}

void PrintCreated(const FastenerCounts& before, const FastenerCounts& after) {
  std::cout << "created " << after.joints - before.joints << " assembly joints, "
            << after.jointBodies - before.jointBodies << " joint bodies\n";
  int total = 0;
  std::string byType;
  for (const auto& [type, count] : after.fastenersByType) {
    auto was = before.fastenersByType.find(type);
    const int created = count - (was == before.fastenersByType.end() ? 0 : was->second);
    if (created <= 0) continue;
    total += created;
    byType += (byType.empty() ? ": " : ", ") + std::to_string(created) + " " +
              (type.empty() ? std::string("(no type)") : type);
  }
  std::cout << "created " << total << " fasteners" << byType << '\n';
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
  const FastenerCounts before = CountFasteners(session.Document());
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

  const FastenerCounts after = CountFasteners(session.Document());
  PrintCreated(before, after);
  // No fastener made: every record refused (the summary box lists them),
  // or none in the file.
  if (after.fasteners == before.fasteners)
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
