#pragma once
// Whether the Office Compatibility Pack is installed, and the warning shown
// before an .xlsx workbook is opened by a version that needs the pack.
#include <QString>

#include <memory>

class TzyOCP {
public:
    TzyOCP();

    QString ProductName; // as read at construction, or "Not Installed"
    bool Installed = false;
    // Why the registry read failed at construction (no dialog can show
    // then); empty when it did not fail. For the start-up log.
    QString StartupNote;

    void Init();
    QString ReadProductName(); // refreshes Installed; shows "UOCP001" on a registry failure
    QString GetProductName();
    bool NeedsCompatPack(const QString& fileName);
    // True when the command must stop (the user chose Cancel on "UOCP002").
    bool CheckFile(const QString& fileLabel, const QString& fileName);

private:
    QString read(bool report);
};

extern std::unique_ptr<TzyOCP> OCP;
