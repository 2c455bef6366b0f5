#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "scene/RunMode.h"

namespace warpix {

class CSceneWnd;
class RegSettings;
class Operation;

// One kind of drawing operation as the scheduler sees it: its identifier in
// the kinds choice table, its class name, how it is made, the weight the
// user's settings give it, and the rules that admit and space it. The rows
// themselves live with the operations; the scene only reads them.
struct OperationKind {
  enum Trait : unsigned {
    kDeepColour = 1u << 0,       // only on screens of more than 8 bits per pixel
    kFullScreenOnly = 1u << 1,   // only when the saver runs full screen
    kNeedsWebSites = 1u << 2,    // only with web access on and a site listed
    kPhoto = 1u << 3,            // spaced by ImagePeriod; what a run opens with
    kWebImage = 1u << 4,         // spaced by WebSitePeriod
    kRestsFirstMinute = 1u << 5, // the heavy filters wait out the first minute
  };
  using Create = std::unique_ptr<Operation> (*)(CSceneWnd& scene, const OperationKind& kind);
  using Weigh = std::int32_t (*)(const RegSettings& settings);

  int id;
  const char* name;
  Create create;
  Weigh weight;
  unsigned traits;

  bool has(Trait t) const { return (traits & t) != 0; }
};

// Every operation the program has, handed to the scene by whoever builds
// it: the kinds in the order of the kinds choice table, the kind made for
// an identifier that names none, and the weights of the distortion table.
struct OperationCatalog {
  std::span<const OperationKind> kinds;
  const OperationKind& fallback;
  std::vector<std::int32_t> (*distortionWeights)(const RegSettings& settings);

  // The row of identifier `id`, or the fallback.
  const OperationKind& kind(int id) const;
};

// The kinds choice table for a screen and run mode: the identifiers of the
// kinds that may run there, in catalogue order, and their weights.
struct KindTable {
  std::vector<int> ids;
  std::vector<std::int32_t> weights;
};
KindTable buildKindTable(const OperationCatalog& catalog, const RegSettings& settings, int bitsPerPixel, RunMode mode);

}  // namespace warpix
