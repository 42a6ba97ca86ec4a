#include "BiwplanSaving.h"

#include "BiwplanCli.h"

void BiwplanSaving::AddOptions(CLI::App& verb) {
  verb.add_flag("--dry-run", _dryRun, "Do the work and print what it did, but leave the document file untouched");
  verb.add_flag("--save", _save, "Accepted for older scripts: a verb that succeeds always saves");
}

bool BiwplanSaving::Open(BiwplanSession& session, const std::string& path, bool changes) const {
  if (!BiwplanOpen(session, path, changes && !_dryRun)) return false;
  session.SetDryRun(_dryRun);
  return true;
}

int BiwplanSaving::Finish(BiwplanSession& session, int status, bool changed) const {
  if (status != BiwplanExit::Ok || !changed || _dryRun) return status;
  return BiwplanSave(session) ? BiwplanExit::Ok : BiwplanExit::Failed;
}
