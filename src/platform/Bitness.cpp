#include "Bitness.h"

#include <QFile>
#include <QSysInfo>

namespace platform {
namespace {

class RealPlatformInfo : public IPlatformInfo {
public:
    bool isWow64() override
    {
        const QString arch = QSysInfo::currentCpuArchitecture();
        return arch.contains(QLatin1String("64"));
    }

    int binaryType(const QString& path) override
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray head = f.read(5);
        if (head.size() < 5 || !head.startsWith("\x7f" "ELF"))
            return -1;
        switch (head.at(4)) {
        case 1: return kBinary32;
        case 2: return kBinary64;
        default: return -1;
        }
    }
};

IPlatformInfo* g_info = nullptr;

} // namespace

IPlatformInfo& platformInfo()
{
    static RealPlatformInfo real;
    return g_info ? *g_info : real;
}

void setPlatformInfo(IPlatformInfo* info)
{
    g_info = info;
}

} // namespace platform
