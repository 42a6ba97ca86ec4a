#include "WeldFileGenerator.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <vector>

namespace {
constexpr int kPartsPerAssembly = 100;

std::string PartPath(int part) {
  char path[64];
  std::snprintf(path, sizeof path, "Body.1\\Assembly.%d\\Part.%d", part / kPartsPerAssembly + 1, part + 1);
  return path;
}
}  // namespace

void WeldFileGenerator::BuildProducts(const QIVIDocument_var& document) const {
  QIVBaseUnknown_var body, assembly, part;
  document->CreateProduct(nullptr, "Body.1", "BD-0", body);
  for (int i = 0; i < partCount; ++i) {
    if (i % kPartsPerAssembly == 0) {
      const std::string number = std::to_string(i / kPartsPerAssembly + 1);
      document->CreateProduct(body, ("Assembly." + number).c_str(), ("AS-" + number).c_str(), assembly);
    }
    const std::string number = std::to_string(i + 1);
    document->CreateProduct(assembly, ("Part." + number).c_str(), ("PN-" + number).c_str(), part);
  }
}

std::string WeldFileGenerator::WeldFileText() const {
  std::mt19937 random(20261206u);
  // Joints: each part with a neighbour, some with a third part too.
  std::vector<std::vector<int>> joints;
  const int jointCount = std::max(1, weldCount / 10);
  for (int j = 0; j < jointCount; ++j) {
    const int first = static_cast<int>(random() % partCount);
    std::vector<int> joint{first, (first + 1 + static_cast<int>(random() % 7)) % partCount};
    if (random() % 8 == 0) joint.push_back((first + 11) % partCount);
    joints.push_back(joint);
  }

  std::string text;
  text.reserve(static_cast<std::size_t>(weldCount) * 420);
  text += "TOVASK Welds Spot Generation\n3.0\n## Generated body welds\nUnit mm\nEndGlobalData\n";
  text += std::to_string(weldCount) + "\n";
  char line[160];
  for (int w = 1; w <= weldCount; ++w) {
    const std::vector<int>& joint = joints[random() % joints.size()];
    const bool curve = w % 10 == 0;
    const bool reversed = random() % 2 == 0;
    if (w % 100 == 1) text += "## Station block " + std::to_string(w / 100 + 1) + "\n";
    text += "\nWeld\n";
    std::snprintf(line, sizeof line, "%d\n%c%06d\n%s\n%zu\n", w, curve ? 'S' : 'W', w, curve ? "curve" : "point",
                  joint.size());
    text += line;
    for (std::size_t p = 0; p < joint.size(); ++p) {
      const int part = joint[reversed ? joint.size() - 1 - p : p];
      text += PartPath(part) + "\nSheet\nDC04\n0.8\n";
    }
    std::snprintf(line, sizeof line, "JB_%d_%d\n%c\nLayers %zu\n1.6\n%s\n", joint[0], w % 3, 'A' + w % 4,
                  joint.size(), curve ? (w % 20 == 0 ? "adhesive" : "sealant") : "spot weld");
    text += line;
    text += "Station S010\nRobot R01\nGun G01\nProgram P001\nQuality Q1\nCheck visual\nStatus released\n1\n";
    const double x = (random() % 400000) / 100.0, y = (random() % 150000) / 100.0 - 750.0,
                 z = (random() % 60000) / 100.0;
    if (curve) {
      std::snprintf(line, sizeof line, "%.3f\n%.3f\n%.3f\n%.3f\n%.3f\n%.3f\n%.3f\n", x, y, z, x + 120.0, y, z, 120.0);
    } else {
      std::snprintf(line, sizeof line, "%.3f\n%.3f\n%.3f\n0.000\n0.000\n1.000\n0.000\n0.000\n0.000\n", x, y, z);
    }
    text += line;
    text += "EndWeld\n";
  }
  text += "\nEndOfFile\n";
  return text;
}

bool WeldFileGenerator::WriteWeldFile(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  out << WeldFileText();
  return static_cast<bool>(out);
}
