#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "QIVVariant.h"

// The records of the plant's repository, as plain values.

// x, y, z (millimetres), roll, pitch, yaw (degrees).
using QIVPosition = std::array<double, 6>;

// A fastener as the repository knows it. `version` counts its
// publications; a publication that read another version than the one it
// finds when writing has met a concurrent one.
struct QIVFastenerRecord {
  std::string plmId;
  std::string name;
  long long version = 0;
  std::optional<QIVPosition> design;
  std::optional<QIVPosition> saved;
  // The identifier of the process document that published it last.
  std::string publishedBy;
};

// A fastener of a process document assigned to one of its activities
// ("Process/UnderBody Line/Station 10 Front Floor/Spot welding").
struct QIVAssignmentRecord {
  std::string documentId;
  std::string activityPath;
  std::string plmId;
};

using QIVAttributes = std::map<std::string, QIVVariant>;

// The plant library: station templates with their stations, the resources
// the stations use ("proc_uses_plant"), the plant types with their
// "derivesfrom" links and the plant type set (a master type and its
// children, "ergoplantypechild").
struct QIVLibraryStation {
  std::string name;
  std::string stationType;
  double estimatedInvestmentCost = 0;
  double pointFasteningRate = 0;
  double curveFasteningRate = 0;
  // The resource the station uses; empty for none.
  std::string usesPlant;
};

struct QIVLibraryTemplate {
  std::string name;
  std::vector<QIVLibraryStation> stations;
};

struct QIVLibraryResource {
  std::string name;
  std::string plantTypeName;
};

struct QIVLibraryPlantType {
  std::string name;
  std::string derivesFrom;
};

struct QIVLibraryContents {
  std::vector<QIVLibraryPlantType> plantTypes;
  std::string plantTypeSetMaster;
  std::vector<std::string> plantTypeSetChildren;
  std::vector<QIVLibraryResource> resources;
  std::vector<QIVLibraryTemplate> templates;
};

// What a process document publishes: each of its features (fasteners,
// locators, clamping points) with the identifier it already has (empty for
// a new one), its name, kind, positions and typed attributes; and its
// assignments, each naming a feature by its place in `features`.
struct QIVPublishedFeature {
  std::string plmId;
  std::string kind;
  std::string name;
  bool fastener = false;
  std::optional<QIVPosition> design;
  std::optional<QIVPosition> manufacturing;
  QIVAttributes attributes;
};

struct QIVPublishedAssignment {
  std::size_t feature;
  std::string activityPath;
};

struct QIVPublicationRequest {
  // Empty for a document never published; the publication gives it one.
  std::string documentId;
  std::vector<QIVPublishedFeature> features;
  std::vector<QIVPublishedAssignment> assignments;
};

// The identifiers and fastener versions the publication gave, one per
// feature of the request (version 0 for features that are not fasteners).
struct QIVPublicationResult {
  std::string documentId;
  std::vector<std::string> plmIds;
  std::vector<long long> versions;
};
