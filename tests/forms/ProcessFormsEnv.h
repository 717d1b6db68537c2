#pragma once
// The globals the summary and configuration-errors forms read, in a fixed
// look (see FormsTestEnv): preferences, six placement records, one
// definition, the validation and the Project Summary layout tables.
#include "FormsTestEnv.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "zyAD.h"
#include "zyDV.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zySD.h"
#include "zyUP.h"
#include "zyWM.h"


namespace ProcessFormsEnv {

inline void Init()
{
    FormsTestEnv::Init();
    Utils::InitFontMetrics();
    UP = std::make_unique<TzyUP>();
    WMs = std::make_unique<TzyWMs>();
    while (WMs->HighIndex() < 6)
        WMs->Add();
    DV = std::make_unique<TzyDV>();
    SDs = std::make_unique<TzySDs>();
    SDs->setActiveSD(SDs->Add());
    RHs_PS = std::make_unique<TzyRHs>();
    RFs_PS = std::make_unique<TzyRFs>();
    RF_PS_Consts::LoadRHs(*RHs_PS);
    RF_PS_Consts::LoadRFs(*RFs_PS);
}

} // namespace ProcessFormsEnv
