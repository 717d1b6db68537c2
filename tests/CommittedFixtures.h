#pragma once
// Workbooks committed beside the tests, for what the office cannot write (an
// encrypted .xlsx); tests/excel/fixtures/README.md says how each was made.
#include <QString>

namespace fixtures {

// The committed file `name`, found through the source tree the test was
// built from.
inline QString Committed(const QString& name)
{
#ifdef ZOL_TEST_SOURCE_DIR
    const QString root = qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_TEST_SOURCE_DIR));
#else
    const QString root = qEnvironmentVariable("ZOL_SOURCE_DIR");
#endif
    return root + QStringLiteral("/tests/excel/fixtures/") + name;
}

} // namespace fixtures
