#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanRecords.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"

namespace {

using Json = BiwplanRecords::Json;

// Like diff: the documents are the same, they differ, or one could not be
// read.
constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

// The records of every listed kind of one document, each kind keyed by the
// record's key (a key met again gets " (2)", " (3)"...), in document order.
// A record is kept as its compact JSON text, a fifth of the memory of the
// record itself; equal texts are equal records.
struct Snapshot {
  std::vector<std::vector<std::pair<std::string, std::string>>> kinds;
};

bool Read(const std::string& path, Snapshot& snapshot) {
  BiwplanSession session;
  if (!BiwplanOpen(session, path)) return false;
  const BiwplanRecords records(session.Document());
  for (BiwplanRecords::Kind kind : BiwplanRecords::kKinds) {
    std::unordered_map<std::string, int> seen;
    std::vector<std::pair<std::string, std::string>> keyed;
    records.ForEach(kind, [&](const Json& record) {
      std::string key = BiwplanRecords::Key(record);
      if (const int count = ++seen[key]; count > 1) key += " (" + std::to_string(count) + ")";
      keyed.emplace_back(std::move(key), record.dump(-1, ' ', false, Json::error_handler_t::replace));
    });
    snapshot.kinds.push_back(std::move(keyed));
  }
  return true;
}

// One difference: an object added or removed, or one attribute changed.
struct Change {
  BiwplanRecords::Kind kind;
  std::string object;
  std::string change;  // "added", "removed", "changed"
  std::string attribute;
  Json before;
  Json after;
};

// What one list of names gained and lost, each in its list's order.
void ListDifference(const Json& before, const Json& after, Json& added, Json& removed) {
  added = Json::array();
  removed = Json::array();
  for (const Json& entry : after)
    if (std::find(before.begin(), before.end(), entry) == before.end()) added.push_back(entry);
  for (const Json& entry : before)
    if (std::find(after.begin(), after.end(), entry) == after.end()) removed.push_back(entry);
}

// The attributes that differ between two records of one object: members of
// a member that is an object on both sides (a position, the planning
// attributes) one by one, as "designPosition.x".
void CompareRecords(BiwplanRecords::Kind kind, const std::string& object, const Json& before, const Json& after,
                    const std::string& prefix, std::vector<Change>& changes) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : before.items()) keys.push_back(key);
  for (const auto& [key, value] : after.items())
    if (!before.contains(key)) keys.push_back(key);
  for (const std::string& key : keys) {
    const Json was = before.contains(key) ? before[key] : Json();
    const Json is = after.contains(key) ? after[key] : Json();
    if (was == is) continue;
    if (was.is_object() && is.is_object())
      CompareRecords(kind, object, was, is, prefix + key + ".", changes);
    else
      changes.push_back({kind, object, "changed", prefix + key, was, is});
  }
}

std::vector<Change> Compare(const Snapshot& a, const Snapshot& b) {
  std::vector<Change> changes;
  for (BiwplanRecords::Kind kind : BiwplanRecords::kKinds) {
    const auto& before = a.kinds[kind];
    const auto& after = b.kinds[kind];
    std::unordered_map<std::string_view, const std::string*> inBefore, inAfter;
    for (const auto& [key, record] : before) inBefore.emplace(key, &record);
    for (const auto& [key, record] : after) inAfter.emplace(key, &record);
    for (const auto& [key, record] : before) {
      const auto found = inAfter.find(key);
      if (found == inAfter.end())
        changes.push_back({kind, key, "removed", std::string(), Json::parse(record), Json()});
      else if (*found->second != record)
        CompareRecords(kind, key, Json::parse(record), Json::parse(*found->second), std::string(), changes);
    }
    for (const auto& [key, record] : after)
      if (!inBefore.count(key)) changes.push_back({kind, key, "added", std::string(), Json(), Json::parse(record)});
  }
  return changes;
}

std::string Text(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// For a person: a changed list as what it gained (+) and lost (-), any
// other value as BEFORE -> AFTER.
std::string Detail(const Change& change) {
  if (change.change != "changed") return std::string();
  if (change.before.is_array() && change.after.is_array()) {
    Json added, removed;
    ListDifference(change.before, change.after, added, removed);
    std::string detail;
    for (const Json& entry : added) detail += (detail.empty() ? "+" : "; +") + Text(entry);
    for (const Json& entry : removed) detail += (detail.empty() ? "-" : "; -") + Text(entry);
    if (!detail.empty()) return detail;
  }
  return Text(change.before) + " -> " + Text(change.after);
}

void Print(const std::vector<Change>& changes, const std::string& format) {
  if (format == "json") {
    Json listed = Json::array();
    for (const Change& change : changes) {
      Json entry{{"kind", BiwplanRecords::KindWord(change.kind)}, {"object", change.object}, {"change", change.change}};
      if (change.change == "changed") {
        entry["attribute"] = change.attribute;
        entry["before"] = change.before;
        entry["after"] = change.after;
        if (change.before.is_array() && change.after.is_array())
          ListDifference(change.before, change.after, entry["added"], entry["removed"]);
      } else {
        entry["record"] = change.change == "added" ? change.after : change.before;
      }
      listed.push_back(std::move(entry));
    }
    std::cout << Json{{"version", BiwplanRecords::kVersion}, {"changes", std::move(listed)}}.dump(
                     2, ' ', false, Json::error_handler_t::replace)
              << '\n';
    return;
  }
  BiwplanTable table({"kind", "object", "change", "attribute", "detail"});
  for (const Change& change : changes)
    table.AddRow({BiwplanRecords::KindWord(change.kind), change.object, change.change, change.attribute, Detail(change)});
  table.Print(std::cout, BiwplanTable::Text);
}

}  // namespace

void AddDiffVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "diff", "Tell what changed between two documents, by object and attribute (exit 0 same, 1 different)");
  auto paths = std::make_shared<std::vector<std::string>>(2);
  auto format = std::make_shared<std::string>("table");
  verb->add_option("A", (*paths)[0], "The document before")->required();
  verb->add_option("B", (*paths)[1], "The document after")->required();
  verb->add_option("--format", *format, "table or json")->check(CLI::IsMember({"table", "json"}));
  verb->callback([&status, paths, format] {
    Snapshot before, after;
    if (!Read((*paths)[0], before) || !Read((*paths)[1], after)) {
      status = kTrouble;
      return;
    }
    const std::vector<Change> changes = Compare(before, after);
    if (!changes.empty() || *format == "json") Print(changes, *format);
    status = changes.empty() ? kSame : kDifferent;
  });
}
