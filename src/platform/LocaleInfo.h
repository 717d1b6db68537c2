#pragma once
// The number settings of the system's locale (decimal and thousands
// separators, currency symbol); injectable so tests fix them.
#include <QChar>
#include <QString>
#include <optional>

namespace platform {

struct NumberSettings {
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandSeparator = QLatin1Char(',');
    QString currencySymbol;
};

NumberSettings numberSettings();
void setNumberSettings(std::optional<NumberSettings> s); // nullopt: the system's

} // namespace platform
