#include "MachineKeys.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace platform {
namespace {

const char* rootName(RootKey root)
{
    switch (root) {
    case RootKey::CurrentUser: return "HKEY_CURRENT_USER";
    case RootKey::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RootKey::LocalMachine: return "HKEY_LOCAL_MACHINE";
    }
    return "";
}

IMachineKeys* g_keys = nullptr;

MachineKeyTable& defaultKeys()
{
    static MachineKeyTable table;
    static bool built = false;
    if (!built) {
        built = true;
        const QString file = qEnvironmentVariable("ZOLL_MACHINE_KEYS");
        if (!file.isEmpty()) {
            table.load(file);
        } else if (QFileInfo::exists(sofficePath())) {
            table.set(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                      QStringLiteral("Excel.Application.15"));
            table.set(RootKey::LocalMachine,
                      QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\excel.exe"),
                      QString(), sofficePath());
        }
    }
    return table;
}

} // namespace

QString MachineKeyTable::id(RootKey root, const QString& key)
{
    QString k = key;
    k.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (k.endsWith(QLatin1Char('\\')))
        k.chop(1);
    // Registry key names are case-insensitive.
    return QString::fromLatin1(rootName(root)) + QLatin1Char('\\') + k.toLower();
}

void MachineKeyTable::set(RootKey root, const QString& key, const QString& name, const QString& value)
{
    m_values[id(root, key)][name.toLower()] = value;
}

void MachineKeyTable::remove(RootKey root, const QString& key, const QString& name)
{
    auto it = m_values.find(id(root, key));
    if (it == m_values.end())
        return;
    it->remove(name.toLower());
    if (it->isEmpty())
        m_values.erase(it);
}

bool MachineKeyTable::keyExists(RootKey root, const QString& key)
{
    const QString k = id(root, key);
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        if (it.key() == k || it.key().startsWith(k + QLatin1Char('\\')))
            return true;
    return false;
}

RegValue MachineKeyTable::read(RootKey root, const QString& key, const QString& name)
{
    const auto it = m_values.constFind(id(root, key));
    if (it == m_values.cend())
        return {};
    const auto v = it->constFind(name.toLower());
    if (v == it->cend())
        return {};
    if (*v == QLatin1String("!error"))
        throw RegistryError("The registry could not be read.");
    RegValue r;
    r.type = ValueType::String;
    r.text = *v;
    return r;
}

bool MachineKeyTable::load(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&f);
    QString section;
    RootKey root = RootKey::ClassesRoot;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            QString path = line.mid(1, line.size() - 2);
            const int slash = path.indexOf(QLatin1Char('\\'));
            const QString rootText = path.left(slash).toUpper();
            root = rootText == QLatin1String("HKEY_LOCAL_MACHINE") ? RootKey::LocalMachine : RootKey::ClassesRoot;
            section = slash < 0 ? QString() : path.mid(slash + 1);
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || section.isEmpty())
            continue;
        QString name = line.left(eq).trimmed();
        if (name == QLatin1String("@"))
            name.clear();
        set(root, section, name, line.mid(eq + 1).trimmed());
    }
    return true;
}

IMachineKeys& machineKeys()
{
    return g_keys ? *g_keys : defaultKeys();
}

void setMachineKeys(IMachineKeys* keys)
{
    g_keys = keys;
}

QString sofficePath()
{
    const QString env = qEnvironmentVariable("ZOLL_SOFFICE");
    return env.isEmpty() ? QStringLiteral("/usr/lib/libreoffice/program/soffice.bin") : env;
}

} // namespace platform
