#include "ServerInfo.h"

#include "MachineKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace platform {
namespace {

// The setup values of the product node; the schema's own declarations carry
// an empty <value/> and so never match.
QString propValue(const QString& xml, const QString& name, bool trimmed = true)
{
    const QRegularExpression re(QStringLiteral("<prop oor:name=\"%1\"[^>]*>\\s*<value>([^<]*)</value>").arg(name));
    QString last;
    for (auto it = re.globalMatch(xml); it.hasNext();)
        last = trimmed ? it.next().captured(1).trimmed() : it.next().captured(1);
    return last;
}

} // namespace

ServerInfo readServerInfo(const QString& program)
{
    ServerInfo info;
    const QFileInfo prog(program);
    if (program.isEmpty() || !prog.exists())
        return info;
    // program/ and share/ are siblings in every installation layout.
    const QDir registry(prog.canonicalPath() + QStringLiteral("/../share/registry"));
    // main.xcd holds the product; a branding layer may override it, and later
    // files win, as when the server merges them.
    QStringList files = registry.entryList({QStringLiteral("*.xcd")}, QDir::Files, QDir::Name);
    files.removeAll(QStringLiteral("main.xcd"));
    files.prepend(QStringLiteral("main.xcd"));
    QString product, version, suffix;
    for (const QString& name : files) {
        QFile f(registry.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString xml = QString::fromUtf8(f.readAll());
        if (!xml.contains(QLatin1String("ooSetupVersion")) && !xml.contains(QLatin1String("ooName")))
            continue;
        if (const QString v = propValue(xml, QStringLiteral("ooName")); !v.isEmpty())
            product = v;
        if (const QString v = propValue(xml, QStringLiteral("ooSetupVersionAboutBox")); !v.isEmpty())
            version = v;
        if (const QString v = propValue(xml, QStringLiteral("ooSetupVersionAboutBoxSuffix"), false); !v.isEmpty())
            suffix = v;
    }
    if (product.isEmpty())
        return info;
    info.product = product;
    info.version = version + suffix;
    return info;
}

ServerInfo installedServer()
{
    return readServerInfo(sofficePath());
}

} // namespace platform
