#pragma once
// Read-only machine keys (HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE).
// By default they are synthesised from what this machine has: the spreadsheet
// server counts as Excel 2013 when LibreOffice's soffice.bin is present, and
// the compatibility pack is absent. A file named by ZOLL_MACHINE_KEYS replaces
// these answers:
//
//   [HKEY_CLASSES_ROOT\Excel.Application\CurVer]
//   @=Excel.Application.11
//   [HKEY_CLASSES_ROOT\Installer\Products\00002109020090400000000000F01FEC]
//   ProductName=Compatibility Pack
//
// A value written as "!error" raises a registry error when read, so that a
// failing registry can be exercised.
#include "KeyStore.h"

#include <QHash>

namespace platform {

class IMachineKeys {
public:
    virtual ~IMachineKeys() = default;
    virtual bool keyExists(RootKey root, const QString& key) = 0;
    virtual RegValue read(RootKey root, const QString& key, const QString& name) = 0;
};

// A fixed table of keys, also the tests' fake.
class MachineKeyTable : public IMachineKeys {
public:
    // Sets a string value; "!error" makes the read raise.
    void set(RootKey root, const QString& key, const QString& name, const QString& value);
    void remove(RootKey root, const QString& key, const QString& name);
    void clear() { m_values.clear(); }
    bool keyExists(RootKey root, const QString& key) override;
    RegValue read(RootKey root, const QString& key, const QString& name) override;
    // Loads the INI-style file described above; false when it cannot be read.
    bool load(const QString& file);

private:
    static QString id(RootKey root, const QString& key);
    QHash<QString, QHash<QString, QString>> m_values; // key id -> name -> value
};

IMachineKeys& machineKeys();
void setMachineKeys(IMachineKeys* keys); // nullptr restores the default

// The server binary that the spreadsheet backend starts (ZOLL_SOFFICE overrides).
QString sofficePath();

} // namespace platform
