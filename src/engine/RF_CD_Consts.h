#pragma once
// The Chart Data head (A1..J5 of the Chart Data Worksheet): the header cells
// into RHs_CD, the field cells into RFs_CD, in table order.
#include "zyRF.h"
#include "zyRH.h"

namespace RF_CD_Consts {
// Fill the list created at start-up (RHs_CD, RFs_CD).
void LoadRHs(TzyRHs& list);
void LoadRFs(TzyRFs& list);
} // namespace RF_CD_Consts
