#pragma once

#include <string>
#include <vector>

#include "BiwplanSession.h"
#include "JournalObjectRef.h"
#include "QIVCommandOutcome.h"
#include "QIVIDocument.h"
#include "QIVUnicodeString.h"

// Exit statuses of biwplan, the same for every verb.
namespace BiwplanExit {
inline constexpr int Ok = 0;
// A file, document, journal or object could not be read, found or written.
inline constexpr int Failed = 1;
// The command line itself is wrong.
inline constexpr int Usage = 2;
// A command of the module refused the input (a bad weld file, a parent on
// which the activity may not be created...).
inline constexpr int Refused = 3;
// There was nothing to do (no fastener to assign...).
inline constexpr int NothingToDo = 4;
}  // namespace BiwplanExit

// Writes "biwplan: MESSAGE" to standard error, its control characters and
// bytes that are not UTF-8 escaped (a file name or a field may hold
// anything), and answers `status`.
int BiwplanReport(int status, const std::string& message);
// BiwplanReport(Failed, message).
int BiwplanFail(const std::string& message);
// The text with each control character (tab aside) and each byte that is
// not UTF-8 written as \n, \r or \xHH.
std::string BiwplanPrintable(const std::string& text);

// Opens the document file in the session; on failure writes the reason.
// The session's commands read the plant's repository when one is
// configured (BIWPLAN_REPOSITORY) or the default one exists; one that
// cannot be opened fails the opening.
// Takes the lock of the document file for the session, telling on
// standard error when it waits for another process; false with the reason
// written when the wait ran out.
bool BiwplanLock(BiwplanSession& session, const std::string& path);
// A verb that may save (`forChange`) first takes the document's lock.
bool BiwplanOpen(BiwplanSession& session, const std::string& path, bool forChange = false);
// Saves the session's document under its own path; on failure writes the
// reason.
bool BiwplanSave(BiwplanSession& session);

// Plays journal text through the session, the transcript going to
// standard output unless `echo` is false (a verb that prints a report of
// its own); `sourceName` names the journal in errors. Answers Ok or Failed
// (the error written).
int BiwplanPlayJournal(BiwplanSession& session, const std::string& text, const std::string& sourceName,
                       bool echo = true);

// The outcome of the last run of a command class in the session (an empty
// one when it never started): how a verb sees what the command did, for
// one that a box shown means it refused the input.
const QIVCommandOutcome& BiwplanOutcome(BiwplanSession& session, const std::string& className);

// Quotes a word for a journal line.
std::string BiwplanJournalWord(const std::string& word);

// Finds an object of the session's document from a journal object
// reference ("process:Process/Station.1"); empty with the reason written.
// An unknown name is told with up to five close names ("did you mean").
QIVBaseUnknown_var BiwplanFindObject(BiwplanSession& session, const std::string& reference);
// The word as an object reference: itself when it is one, else the
// reference to the object of `kind` it names.
std::string BiwplanReference(const std::string& word, JournalObjectRef::Kind kind);
// Finds an object given by a word that is an object reference
// (fastener:"W1, A", id:42) or the plain name of an object of `kind`
// ("W1, A"), as BiwplanFindObject.
QIVBaseUnknown_var BiwplanFindNamed(BiwplanSession& session, const std::string& word, JournalObjectRef::Kind kind);

// A fastener the planner named, with its name in the document.
struct BiwplanNamedFastener {
  std::string name;
  QIVBaseUnknown_var fastener;
};
// The fasteners the words name (as BiwplanFindNamed), each once, in the
// order first named; false with the reason written when one is not found.
bool BiwplanFindFasteners(BiwplanSession& session, const std::vector<std::string>& words,
                          std::vector<BiwplanNamedFastener>& found);

// Whether the fastener is one of the activity's assigned items.
bool BiwplanIsAssignedTo(const QIVBaseUnknown_var& fastener, const QIVBaseUnknown_var& activity);

// "Process/Station.1" of an activity, "UnderBody.1/FrontFloor.1" of a
// product; the alias of a feature.
std::string BiwplanActivityPath(const QIVIDocument_var& document, const QIVBaseUnknown_var& activity);
std::string BiwplanProductPath(const QIVIDocument_var& document, const QIVBaseUnknown_var& product);
std::string BiwplanFeatureName(const QIVBaseUnknown_var& feature);
