#include "LocaleInfo.h"

#include <QLocale>

namespace platform {
namespace {
std::optional<NumberSettings> g_settings;
}

NumberSettings numberSettings()
{
    if (g_settings)
        return *g_settings;
    const QLocale l = QLocale::system();
    NumberSettings s;
    if (!l.decimalPoint().isEmpty())
        s.decimalSeparator = l.decimalPoint().at(0);
    if (!l.groupSeparator().isEmpty())
        s.thousandSeparator = l.groupSeparator().at(0);
    // The C locale has no currency symbol; the usual one keeps "$1,234" readable.
    s.currencySymbol = l.language() == QLocale::C ? QStringLiteral("$") : l.currencySymbol();
    return s;
}

void setNumberSettings(std::optional<NumberSettings> s)
{
    g_settings = std::move(s);
}

} // namespace platform
