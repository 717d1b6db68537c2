#include "XLBackend.h"

namespace {
XLBackendFactory& factorySlot()
{
    static XLBackendFactory f;
    return f;
}
} // namespace

void setXLBackendFactory(XLBackendFactory factory)
{
    factorySlot() = std::move(factory);
}

const XLBackendFactory& xlBackendFactory()
{
    return factorySlot();
}
