#pragma once
// Reading and writing keys of the key store; each call stands alone.
// A value of another type than the reader expects, and a refused write,
// raise platform::RegistryError for the caller's handler.
#include "KeyStore.h"

#include <QString>

namespace REG_Utils {
using platform::RootKey;
bool ValueExists(RootKey root, const QString& key, const QString& name);
QString ReadString(RootKey root, const QString& key, const QString& name, const QString& def);
int ReadInteger(RootKey root, const QString& key, const QString& name, int def);
bool ReadBool(RootKey root, const QString& key, const QString& name, bool def);
bool WriteString(RootKey root, const QString& key, const QString& name, const QString& value);
bool WriteInteger(RootKey root, const QString& key, const QString& name, int value);
bool WriteBool(RootKey root, const QString& key, const QString& name, bool value);
} // namespace REG_Utils
