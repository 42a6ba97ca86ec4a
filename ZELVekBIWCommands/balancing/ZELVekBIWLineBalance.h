#pragma once

#include <string>
#include <vector>

#include "QIVListVal.h"
#include "ZELVekBIWBalanceProblem.h"
#include "ZELVekBIWLineBalancer.h"

// Balancing of a line of the current document: reads the line (a process,
// grouping or station and the fastening activities below it) into a
// problem for ZELVekBIWLineBalancer, and applies the activities it chooses
// through the assignment services.
//
// A fastener is the line's when one of its parts reaches an activity of the
// line. It may go to a fastening activity of the line whose type it fits
// and which every part it joins reaches, directly or inside an incoming
// assembly that does not already hold them all (the rule of automatic
// assignment). It stays where it is when it is locked, assigned more than
// once, assigned outside the line or in the plant's repository, or when
// only unassigned fasteners are balanced; a fastener no activity can take
// stays too and is reported as unreachable. A station's time is the sum of
// its children's, each fastening activity's time following its rate.
class ZELVekBIWLineBalance {
 public:
  using List = QIVListValQIVBaseUnknown_var;
  enum class Scope { All, Unassigned };

  ZELVekBIWLineBalance(const QIVBaseUnknown_var& line, Scope scope, const List& locked);

  const ZELVekBIWBalanceProblem& Problem() const { return _problem; }
  // The handles behind the problem's fasteners, activities and stations,
  // in the same order.
  const List& Fasteners() const { return _fasteners; }
  const List& Activities() const { return _activities; }
  const List& Stations() const { return _stations; }
  // Fasteners of the line no activity of the line can take.
  const List& Unreachable() const { return _unreachable; }

  // Unassigns each fastener that moves and assigns it where `activityOf`
  // says, then recomputes the cycle time of every activity it touched.
  // E_FAIL when a service refused a move (the document is then part way).
  HRESULT Apply(const std::vector<int>& activityOf) const;

 private:
  ZELVekBIWBalanceProblem _problem;
  List _fasteners;
  List _activities;
  List _stations;
  List _unreachable;
};
