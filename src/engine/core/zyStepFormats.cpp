#include "zyStepFormats.h"

void TzyStepFormats::SetStepFormats(int StepCount)
{
    if (StepCount >= 1 && StepCount <= 9) {
        StepFmt = QStringLiteral(" [%.1d] %s ");
        NoStepFmt = QStringLiteral(" [-] %s ");
    } else if (StepCount >= 10 && StepCount <= 99) {
        StepFmt = QStringLiteral(" [%.2d] %s ");
        NoStepFmt = QStringLiteral(" [--] %s ");
    } else if (StepCount >= 100 && StepCount <= 999) {
        StepFmt = QStringLiteral(" [%.3d] %s ");
        NoStepFmt = QStringLiteral(" [---] %s ");
    }
}
