#include "zyUIL.h"

#include "Utils.h"

#include <QFile>
#include <QTextStream>

std::unique_ptr<TzyUILs> UILs;
int UILIndex = 0;

TzyUIL::TzyUIL()
    : m_uit(size_t(kHighId) + 1)
{
}

void TzyUIL::SetName(const QString& name)
{
    m_name = Utils::Trim(name);
}

QString TzyUIL::getUIT(int index) const
{
    if (Utils::CheckIndex(index, 0, kHighId, QStringLiteral("UIL.getUIT")))
        return QString();
    // Stored trimmed.
    return m_uit[size_t(index)];
}

void TzyUIL::setUIT(int index, const QString& text)
{
    if (Utils::CheckIndex(index, 0, kHighId, QStringLiteral("UIL.setUIT")))
        return;
    m_uit[size_t(index)] = Utils::Trim(text);
}

TzyUILs::TzyUILs()
{
    m_items.push_back(std::make_unique<TzyUIL>());
}

TzyUIL& TzyUILs::getItems(int index)
{
    if (Utils::CheckIndex(index, 0, HighIndex(), QStringLiteral("UIL.getItems")))
        return *m_items.front();
    return *m_items[size_t(index)];
}

namespace UIL_EN {

namespace {
QString unescape(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            const QChar n = s.at(++i);
            switch (n.unicode()) {
            case 'n': out += QLatin1Char('\n'); break;
            case 'r': out += QLatin1Char('\r'); break;
            case 't': out += QLatin1Char('\t'); break;
            default: out += n; break;
            }
        } else {
            out += c;
        }
    }
    return out;
}
} // namespace

void LoadUIL(int langIndex)
{
    TzyUIL& lang = UILs->getItems(langIndex);
    lang.SetName(QStringLiteral("English"));
    QFile f(QStringLiteral(":/uitext/uitext_en.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        throw ZolError(QStringLiteral("The English text table is missing."));
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const int tab = int(line.indexOf(QLatin1Char('\t')));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (!ok || id < 1 || id > TzyUIL::kHighId)
            throw ZolError(QStringLiteral("The English text table holds a bad line: %1").arg(line.left(40)));
        lang.setUIT(id, unescape(line.mid(tab + 1)));
    }
}

} // namespace UIL_EN

void InitUILs()
{
    UILIndex = 0;
    UILs = std::make_unique<TzyUILs>();
    UIL_EN::LoadUIL(UILIndex);
}

void FreeUILs()
{
    UILs.reset();
}

QString UIT(int id)
{
    if (!UILs)
        return QString();
    return UILs->getItems(UILIndex).getUIT(id);
}
