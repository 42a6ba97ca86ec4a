#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "BiwplanSession.h"

// The one saving rule of the verbs that change a document: a verb that
// succeeds saves the document (atomically, under the document's lock); one
// that fails, refuses or finds nothing to do leaves the file as it was.
// With --dry-run the verb does all its work and prints what it did, but the
// file is left untouched (and no lock is taken). --save, which once asked
// for the save, is still accepted and changes nothing.
class BiwplanSaving {
 public:
  // Adds --dry-run and --save to the verb.
  void AddOptions(CLI::App& verb);

  bool DryRun() const { return _dryRun; }

  // Opens the document; a verb that will change it (`changes`) first takes
  // the document's lock, unless this is a dry run.
  bool Open(BiwplanSession& session, const std::string& path, bool changes = true) const;
  // The verb's exit status once the rule is applied: a verb that changed the
  // document and answers Ok saves it (Failed, the reason written, when the
  // save fails); any other status is answered as it is, nothing saved.
  int Finish(BiwplanSession& session, int status, bool changed = true) const;

 private:
  bool _dryRun = false;
  bool _save = false;
};
