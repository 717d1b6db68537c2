#pragma once
// Our stand-in for the registry: per-user keys persist in an INI file in the
// user's config folder, machine keys (read-only) come from MachineKeys.
#include <QString>
#include <QVariant>
#include <stdexcept>

namespace platform {

enum class RootKey { CurrentUser, ClassesRoot, LocalMachine };

// Raised for a value of the wrong type and for refused writes, as the
// registry class of the original platform did.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ValueType { None, String, DWord };

struct RegValue {
    ValueType type = ValueType::None;
    QString text;
    quint32 dword = 0;
};

class IKeyStore {
public:
    virtual ~IKeyStore() = default;
    // False when the key cannot be opened (does not exist).
    virtual bool keyExists(RootKey root, const QString& key) = 0;
    virtual RegValue read(RootKey root, const QString& key, const QString& name) = 0;
    virtual void write(RootKey root, const QString& key, const QString& name, const RegValue& value) = 0;
};

// The store in use; the default one keeps HKEY_CURRENT_USER in
// $XDG_CONFIG_HOME/Kelvane/Tarvo ZOL Lumo.ini and answers machine keys
// through MachineKeys.
IKeyStore& keyStore();
// Replaces the store (tests); nullptr restores the default.
void setKeyStore(IKeyStore* store);

// Path of the per-user file of the default store.
QString userStoreFile();

} // namespace platform
