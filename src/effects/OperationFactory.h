#pragma once

#include <memory>

namespace warpix {

class CSceneWnd;
class Saver;

// The operation for a kind identifier of the kinds table: 0 Distort,
// 1 Bitmap, 2 Oil, 3 OilFreq, 4 OilSharpen, 5 OilBlend, 6 Text, 7 Surf,
// 8 Repaint, 9 Canvas; anything else a Distort.
std::unique_ptr<Saver> createOperation(int kind, CSceneWnd& scene);

}  // namespace warpix
