#pragma once

#include "scene/OperationKind.h"

namespace warpix {

// Every drawing operation the program has, in the order of the kinds
// choice table. Adding a kind is one row here and one class.
const OperationCatalog& operationCatalog();

}  // namespace warpix
