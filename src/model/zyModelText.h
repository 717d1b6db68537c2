#pragma once
// The storing rules the definition's setters share: a value is stored only
// when the argument differs from what is held (exact, case-sensitive), and
// some kinds are trimmed or trimmed and upper-cased (a..z only) on the way in.
#include "Utils.h"

#include <QString>

namespace Model {

inline void StoreTrimmed(QString& stored, const QString& value)
{
    if (value != stored)
        stored = Utils::Trim(value);
}

inline void StoreColumn(QString& stored, const QString& value)
{
    if (value != stored)
        stored = Utils::AsciiUpper(Utils::Trim(value));
}

template <typename T>
inline void StoreValue(T& stored, const T& value)
{
    if (!(value == stored))
        stored = value;
}

} // namespace Model
