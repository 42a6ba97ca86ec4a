#include "QIVPlantLibraryFile.h"

#include <nlohmann/json.hpp>
#include <set>

#include "QIVFile.h"
#include "QIVJsonLocator.h"

using Json = nlohmann::ordered_json;

namespace {

// A refusal at a place of the file, given as a JSON pointer.
struct Refusal {
  std::string pointer;
  std::string reason;
};

class Reader {
 public:
  explicit Reader(QIVLibraryContents& library) : _library(library) {}

  void ReadAll(const Json& root) {
    Object(root, "", {"plantTypes", "plantTypeSet", "resources", "templates"});
    if (const Json* types = Optional(root, "plantTypes")) ReadPlantTypes(*types, "/plantTypes");
    if (const Json* set = Optional(root, "plantTypeSet")) ReadPlantTypeSet(*set, "/plantTypeSet");
    if (const Json* resources = Optional(root, "resources")) ReadResources(*resources, "/resources");
    if (const Json* templates = Optional(root, "templates")) ReadTemplates(*templates, "/templates");
  }

 private:
  static const Json* Optional(const Json& object, const char* key) {
    auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
  }

  static void Object(const Json& value, const std::string& at, std::initializer_list<const char*> keys) {
    if (!value.is_object()) throw Refusal{at, "expected an object"};
    for (const auto& [key, member] : value.items()) {
      bool known = false;
      for (const char* allowed : keys) known = known || key == allowed;
      if (!known) throw Refusal{at + "/" + key, "unknown key \"" + key + "\""};
    }
  }

  static const Json& Array(const Json& value, const std::string& at) {
    if (!value.is_array()) throw Refusal{at, "expected an array"};
    return value;
  }

  static std::string Text(const Json& object, const std::string& at, const char* key, bool required) {
    const Json* value = Optional(object, key);
    if (!value) {
      if (required) throw Refusal{at, std::string("\"") + key + "\" is missing"};
      return std::string();
    }
    if (!value->is_string() || (required && value->get_ref<const std::string&>().empty()))
      throw Refusal{at + "/" + key, std::string("\"") + key + "\" must be a non-empty text"};
    return value->get<std::string>();
  }

  static double Number(const Json& object, const std::string& at, const char* key) {
    const Json* value = Optional(object, key);
    if (!value) return 0;
    if (!value->is_number()) throw Refusal{at + "/" + key, std::string("\"") + key + "\" must be a number"};
    return value->get<double>();
  }

  static void Unique(std::set<std::string>& names, const std::string& name, const std::string& at, const char* what) {
    if (!names.insert(name).second) throw Refusal{at + "/name", std::string("a second ") + what + " \"" + name + "\""};
  }

  void KnownType(const std::string& name, const std::string& at) const {
    if (!_plantTypes.count(name)) throw Refusal{at, "no plant type \"" + name + "\" in the library"};
  }

  void ReadPlantTypes(const Json& types, const std::string& at) {
    for (std::size_t i = 0; i < Array(types, at).size(); ++i) {
      const std::string place = at + "/" + std::to_string(i);
      Object(types[i], place, {"name", "derivesfrom"});
      std::string name = Text(types[i], place, "name", true);
      Unique(_plantTypes, name, place, "plant type");
      _library.plantTypes.push_back({name, Text(types[i], place, "derivesfrom", false)});
    }
    for (std::size_t i = 0; i < _library.plantTypes.size(); ++i) {
      const std::string place = at + "/" + std::to_string(i) + "/derivesfrom";
      // Walking up from each type must end: no type may derive from itself.
      std::set<std::string> chain{_library.plantTypes[i].name};
      for (std::string parent = _library.plantTypes[i].derivesFrom; !parent.empty();) {
        KnownType(parent, place);
        if (!chain.insert(parent).second) throw Refusal{place, "the \"derivesfrom\" chain comes back to \"" + parent + "\""};
        for (const QIVLibraryPlantType& type : _library.plantTypes)
          if (type.name == parent) parent = type.derivesFrom;
      }
    }
  }

  void ReadPlantTypeSet(const Json& set, const std::string& at) {
    Object(set, at, {"master", "children"});
    _library.plantTypeSetMaster = Text(set, at, "master", true);
    KnownType(_library.plantTypeSetMaster, at + "/master");
    if (const Json* children = Optional(set, "children"))
      for (std::size_t i = 0; i < Array(*children, at + "/children").size(); ++i) {
        const std::string place = at + "/children/" + std::to_string(i);
        if (!(*children)[i].is_string()) throw Refusal{place, "expected a plant type name"};
        KnownType((*children)[i].get<std::string>(), place);
        _library.plantTypeSetChildren.push_back((*children)[i].get<std::string>());
      }
  }

  void ReadResources(const Json& resources, const std::string& at) {
    for (std::size_t i = 0; i < Array(resources, at).size(); ++i) {
      const std::string place = at + "/" + std::to_string(i);
      Object(resources[i], place, {"name", "plantype_name"});
      std::string name = Text(resources[i], place, "name", true);
      Unique(_resources, name, place, "resource");
      std::string type = Text(resources[i], place, "plantype_name", true);
      KnownType(type, place + "/plantype_name");
      _library.resources.push_back({name, type});
    }
  }

  void ReadTemplates(const Json& templates, const std::string& at) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < Array(templates, at).size(); ++i) {
      const std::string place = at + "/" + std::to_string(i);
      Object(templates[i], place, {"name", "stations"});
      QIVLibraryTemplate& entry = _library.templates.emplace_back();
      entry.name = Text(templates[i], place, "name", true);
      Unique(names, entry.name, place, "template");
      const Json* stations = Optional(templates[i], "stations");
      if (!stations) continue;
      std::set<std::string> stationNames;
      for (std::size_t s = 0; s < Array(*stations, place + "/stations").size(); ++s) {
        const std::string stationAt = place + "/stations/" + std::to_string(s);
        const Json& station = (*stations)[s];
        Object(station, stationAt,
               {"name", "_stationtype", "_estimatedinvestmentcost", "_pointfasteningrate", "_curvefasteningrate",
                "proc_uses_plant"});
        QIVLibraryStation& read = entry.stations.emplace_back();
        read.name = Text(station, stationAt, "name", true);
        Unique(stationNames, read.name, stationAt, "station");
        read.stationType = Text(station, stationAt, "_stationtype", true);
        read.estimatedInvestmentCost = Number(station, stationAt, "_estimatedinvestmentcost");
        read.pointFasteningRate = Number(station, stationAt, "_pointfasteningrate");
        read.curveFasteningRate = Number(station, stationAt, "_curvefasteningrate");
        read.usesPlant = Text(station, stationAt, "proc_uses_plant", false);
        if (!read.usesPlant.empty() && !_resources.count(read.usesPlant))
          throw Refusal{stationAt + "/proc_uses_plant", "no resource \"" + read.usesPlant + "\" in the library"};
      }
    }
  }

  QIVLibraryContents& _library;
  std::set<std::string> _plantTypes;
  std::set<std::string> _resources;
};

}  // namespace

bool QIVPlantLibraryFile::Read(const std::string& path, QIVLibraryContents& library, std::string& error) {
  std::string text;
  QIVUnicodeString readError;
  if (FAILED(QIVReadWholeFile(path, text, readError))) {
    error = readError.str();
    return false;
  }
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& failure) {
    int line = 0, column = 0;
    QIVJsonLocator::LineAndColumn(text, failure.byte > 0 ? failure.byte - 1 : 0, line, column);
    error = path + ":" + std::to_string(line) + ": not JSON: column " + std::to_string(column);
    return false;
  }
  QIVLibraryContents read;
  try {
    Reader(read).ReadAll(root);
  } catch (const Refusal& refusal) {
    error = path + ":" + std::to_string(QIVJsonLocator::LineOfPointer(text, refusal.pointer)) + ": " + refusal.reason;
    return false;
  }
  library = std::move(read);
  return true;
}

std::string QIVPlantLibraryFile::Write(const QIVLibraryContents& library) {
  Json root = Json::object();
  Json& types = root["plantTypes"] = Json::array();
  for (const QIVLibraryPlantType& type : library.plantTypes) {
    Json entry{{"name", type.name}};
    if (!type.derivesFrom.empty()) entry["derivesfrom"] = type.derivesFrom;
    types.push_back(entry);
  }
  if (!library.plantTypeSetMaster.empty())
    root["plantTypeSet"] = {{"master", library.plantTypeSetMaster}, {"children", library.plantTypeSetChildren}};
  Json& resources = root["resources"] = Json::array();
  for (const QIVLibraryResource& resource : library.resources)
    resources.push_back({{"name", resource.name}, {"plantype_name", resource.plantTypeName}});
  Json& templates = root["templates"] = Json::array();
  for (const QIVLibraryTemplate& entry : library.templates) {
    Json stations = Json::array();
    for (const QIVLibraryStation& station : entry.stations) {
      Json written{{"name", station.name},
                   {"_stationtype", station.stationType},
                   {"_estimatedinvestmentcost", station.estimatedInvestmentCost},
                   {"_pointfasteningrate", station.pointFasteningRate},
                   {"_curvefasteningrate", station.curveFasteningRate}};
      if (!station.usesPlant.empty()) written["proc_uses_plant"] = station.usesPlant;
      stations.push_back(written);
    }
    templates.push_back({{"name", entry.name}, {"stations", stations}});
  }
  return root.dump(2) + "\n";
}
