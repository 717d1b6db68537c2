#pragma once
// What every test of whole runs against the real office sets up besides the
// run harness: the layer's office backend, the summary's report tables, and
// a private office of the test's own that makes, converts and reads
// workbooks beside the runs' servers.
#include "LoBackend.h"
#include "LoOffice.h"
#include "RF_PS_Consts.h"
#include "zyRF.h"
#include "zyRH.h"

#include <QString>

#include <memory>

namespace pfx {

inline std::unique_ptr<lo::Backend> StartOfficeRuns(const QString& dir)
{
    lo::installBackendFactory();
    RF_PS_Consts::LoadRHs(*(RHs_PS = std::make_unique<TzyRHs>()));
    RF_PS_Consts::LoadRFs(*(RFs_PS = std::make_unique<TzyRFs>()));
    auto office = std::make_unique<lo::Backend>(lo::BackendOptions{QString(), dir + "/inspector-profile", 90000, 15000, false});
    office->start();
    return office;
}

} // namespace pfx
