#include "zySCO.h"

#include "Utils.h"

#include "zyModelText.h"
#include "zyUIL.h"

#include <QDate>

TzySCO::TzySCO() { Reset(); }

void TzySCO::Reset()
{
    GenerateBL = false;
    GenerateACT = false;
    GenerateTGT = false;
    GraphMH = false;
    GraphCost = false;
    CutOffDate = Today();
}

double TzySCO::Today()
{
    return double(Utils::DayNumber(QDate::currentDate()));
}

void TzySCO::SetGenerateBL(bool value) { Model::StoreValue(GenerateBL, value); }
void TzySCO::SetGenerateACT(bool value) { Model::StoreValue(GenerateACT, value); }
void TzySCO::SetGenerateTGT(bool value) { Model::StoreValue(GenerateTGT, value); }
void TzySCO::SetGraphMH(bool value) { Model::StoreValue(GraphMH, value); }
void TzySCO::SetGraphCost(bool value) { Model::StoreValue(GraphCost, value); }
void TzySCO::SetCutOffDate(double value) { Model::StoreValue(CutOffDate, value); }

namespace {
void appendPart(QString& text, const QString& part)
{
    if (!text.isEmpty())
        text += QStringLiteral(", ");
    text += part;
}
} // namespace

QString TzySCO::GetDataOptionsText() const
{
    QString text;
    if (GenerateBL)
        text = UIT(613);
    if (GenerateACT)
        appendPart(text, UIT(614));
    if (GenerateTGT)
        appendPart(text, UIT(615));
    // Actual alone has no percentage curves.
    if (!GenerateBL && !GenerateTGT)
        return text;
    text += QStringLiteral(", ") + UIT(616) + QStringLiteral(", ") + UIT(617) + QStringLiteral(" (");
    if (GenerateBL)
        text += UIT(618);
    if (GenerateTGT) {
        if (GenerateBL)
            text += QStringLiteral(", ");
        text += UIT(619);
    }
    return text + QLatin1Char(')');
}

QString TzySCO::GetQuantityText() const
{
    QString text;
    if (GraphMH)
        text = UIT(622);
    if (GraphCost)
        appendPart(text, UIT(623));
    return text;
}
