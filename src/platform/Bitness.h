#pragma once
// Word sizes of this machine and of a program file, for the version name's
// "(32 Bit)" / "(64 Bit)".
#include <QString>

namespace platform {

class IPlatformInfo {
public:
    virtual ~IPlatformInfo() = default;
    // A 32-bit program on a 64-bit system; this build's own answer is about
    // the operating system: true when the machine is 64-bit.
    virtual bool isWow64() = 0;
    // 6 for a 64-bit program file, 0 for a 32-bit one; -1 when unreadable or
    // not a program.
    virtual int binaryType(const QString& path) = 0;
};

IPlatformInfo& platformInfo();
void setPlatformInfo(IPlatformInfo* info); // nullptr restores the real one

constexpr int kBinary32 = 0;
constexpr int kBinary64 = 6;

} // namespace platform
