#include "FitRules.h"

#include <algorithm>

namespace FitRules {

Span FitSpan(int workStart, int workLength, int minimum, int pos, int length)
{
    Span s{std::min(workLength - 1, minimum), pos, length};
    const int need = std::min(workLength, minimum);
    if (length < need) {
        s.pos = std::max(pos + length / 2 - need / 2, workStart);
        s.length = need;
    }
    return s;
}

Span CentreSpan(int workStart, int workLength, int minimum)
{
    const int m = std::min(workLength, minimum);
    // Centred on the work area itself, wherever it starts.
    return {m, std::max(workStart + workLength / 2 - m / 2, workStart), m};
}

} // namespace FitRules
