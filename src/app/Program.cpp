#include "app/Program.h"

#include "scene/Saver.h"

namespace warpix {

Program::Program(RegSettings& settings_, Clock& clock_, Trace& trace_, std::int32_t seed)
    : random(seed), settings(settings_), clock(clock_), trace(trace_) {}

Program::~Program() = default;

}  // namespace warpix
