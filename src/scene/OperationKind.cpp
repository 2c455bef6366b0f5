#include "scene/OperationKind.h"

#include "settings/RegSettings.h"

namespace warpix {

const OperationKind& OperationCatalog::kind(int id) const {
  for (const OperationKind& k : kinds)
    if (k.id == id) return k;
  return fallback;
}

KindTable buildKindTable(const OperationCatalog& catalog, const RegSettings& settings, int bitsPerPixel, RunMode mode) {
  const bool deepColour = bitsPerPixel > 8;
  const bool fullScreen = mode == RunMode::FullScreen;
  const bool web = settings.webAccess() != 0 && settings.hasWebSites();
  KindTable table;
  for (const OperationKind& k : catalog.kinds) {
    if ((k.has(OperationKind::kDeepColour) && !deepColour) || (k.has(OperationKind::kFullScreenOnly) && !fullScreen) ||
        (k.has(OperationKind::kNeedsWebSites) && !web))
      continue;
    table.ids.push_back(k.id);
    table.weights.push_back(k.weight(settings));
  }
  return table;
}

}  // namespace warpix
