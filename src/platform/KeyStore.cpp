#include "KeyStore.h"
#include "MachineKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {
namespace {

// Values are kept with their type, the way a registry export writes them:
// "dword:0000000a" or "sz:text".
QString encode(const RegValue& v)
{
    if (v.type == ValueType::DWord)
        return QStringLiteral("dword:%1").arg(v.dword, 8, 16, QLatin1Char('0'));
    return QStringLiteral("sz:") + v.text;
}

RegValue decode(const QString& s)
{
    RegValue v;
    if (s.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        v.dword = s.mid(6).toUInt(&ok, 16);
        v.type = ok ? ValueType::DWord : ValueType::String;
        if (!ok)
            v.text = s;
    } else if (s.startsWith(QLatin1String("sz:"))) {
        v.type = ValueType::String;
        v.text = s.mid(3);
    } else {
        v.type = ValueType::String;
        v.text = s;
    }
    return v;
}

QString groupOf(const QString& key)
{
    QString g = key;
    g.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (g.startsWith(QLatin1Char('/')))
        g.remove(0, 1);
    while (g.endsWith(QLatin1Char('/')))
        g.chop(1);
    return g;
}

// The settings path of a value; the key's default value is "@".
QString valuePath(const QString& key, const QString& name)
{
    return groupOf(key) + QLatin1Char('/') + (name.isEmpty() ? QStringLiteral("@") : name);
}

class DefaultKeyStore : public IKeyStore {
public:
    bool keyExists(RootKey root, const QString& key) override
    {
        if (root != RootKey::CurrentUser)
            return machineKeys().keyExists(root, key);
        QSettings s(userStoreFile(), QSettings::IniFormat);
        const QString g = groupOf(key);
        // A key exists once anything was written under it.
        const QStringList all = s.allKeys();
        for (const QString& k : all)
            if (k.startsWith(g + QLatin1Char('/')))
                return true;
        return false;
    }

    RegValue read(RootKey root, const QString& key, const QString& name) override
    {
        if (root != RootKey::CurrentUser)
            return machineKeys().read(root, key, name);
        QSettings s(userStoreFile(), QSettings::IniFormat);
        const QVariant v = s.value(valuePath(key, name));
        if (!v.isValid())
            return {};
        return decode(v.toString());
    }

    void write(RootKey root, const QString& key, const QString& name, const RegValue& value) override
    {
        if (root != RootKey::CurrentUser)
            throw RegistryError("Access is denied.");
        const QString file = userStoreFile();
        if (!QDir().mkpath(QFileInfo(file).absolutePath()))
            throw RegistryError("Unable to create the key store folder.");
        QSettings s(file, QSettings::IniFormat);
        s.setValue(valuePath(key, name), encode(value));
        s.sync();
        if (s.status() != QSettings::NoError)
            throw RegistryError("Unable to write the key store.");
    }
};

DefaultKeyStore& defaultStore()
{
    static DefaultKeyStore store;
    return store;
}

IKeyStore* g_store = nullptr;

} // namespace

QString userStoreFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Kelvane/Tarvo ZOL Lumo.ini");
}

IKeyStore& keyStore()
{
    return g_store ? *g_store : defaultStore();
}

void setKeyStore(IKeyStore* store)
{
    g_store = store;
}

} // namespace platform
