#include "REG_Utils.h"

namespace REG_Utils {
using namespace platform;

bool ValueExists(RootKey root, const QString& key, const QString& name)
{
    if (!keyStore().keyExists(root, key))
        return false;
    return keyStore().read(root, key, name).type != ValueType::None;
}

QString ReadString(RootKey root, const QString& key, const QString& name, const QString& def)
{
    if (!keyStore().keyExists(root, key))
        return def;
    const RegValue v = keyStore().read(root, key, name);
    switch (v.type) {
    case ValueType::None: return def;
    case ValueType::String: return v.text;
    case ValueType::DWord: break;
    }
    throw RegistryError("Invalid data type for '" + name.toStdString() + "'");
}

int ReadInteger(RootKey root, const QString& key, const QString& name, int def)
{
    if (!keyStore().keyExists(root, key))
        return def;
    const RegValue v = keyStore().read(root, key, name);
    switch (v.type) {
    case ValueType::None: return def;
    case ValueType::DWord: return int(v.dword);
    case ValueType::String: break;
    }
    throw RegistryError("Invalid data type for '" + name.toStdString() + "'");
}

bool ReadBool(RootKey root, const QString& key, const QString& name, bool def)
{
    return ReadInteger(root, key, name, def ? 1 : 0) != 0;
}

bool WriteString(RootKey root, const QString& key, const QString& name, const QString& value)
{
    RegValue v;
    v.type = ValueType::String;
    v.text = value;
    keyStore().write(root, key, name, v);
    return true;
}

bool WriteInteger(RootKey root, const QString& key, const QString& name, int value)
{
    RegValue v;
    v.type = ValueType::DWord;
    v.dword = quint32(value);
    keyStore().write(root, key, name, v);
    return true;
}

bool WriteBool(RootKey root, const QString& key, const QString& name, bool value)
{
    return WriteInteger(root, key, name, value ? 1 : 0);
}

} // namespace REG_Utils
