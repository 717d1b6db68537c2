#include "FitRules.h"

#include <algorithm>

namespace FitRules {

Span FitSpan(int workStart, int workLength, int minimum, int pos, int length)
{
    Span s{std::min(workLength, minimum), pos, length};
    if (length < s.minimum) {
        s.pos = std::max(pos + length / 2 - s.minimum / 2, workStart);
        s.length = s.minimum;
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
