#pragma once
// What the options page's tests and the pages' gallery share.
#include "UF_Main.h"
#include "zySD.h"

namespace pageskit {

// Stores the options in the active definition, loads them into page 1 and
// runs its update.
inline void SetOptions(TUF_Main& f, bool bl, bool act, bool tgt, bool mh, bool cost)
{
    TzySCO& sco = SDs->getItems(SDs->ActiveSD()).SCO;
    sco.SetGenerateBL(bl);
    sco.SetGenerateACT(act);
    sco.SetGenerateTGT(tgt);
    sco.SetGraphMH(mh);
    sco.SetGraphCost(cost);
    f.LoadPage1();
    f.UpdatePage1();
}

} // namespace pageskit
