#pragma once

#include "calc/CalcResults.h"
#include "calc/Calculation.h"
#include "calc/WizardFields.h"
#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "setup/SetupOptions.h"

#include <QStringList>

// A fresh estimation: the twenty parameters at their defaults, the wizard fields loaded from
// them, the setup at its defaults, no results yet.
inline void startEstimation(int appType) {
    ResetCalculation();
    ResetSetupOptions();
    WizardFields = WizardFieldTexts{};
    DefineAllParameters();
    LoadFieldsFromParameters();
    Shared.AppType = appType;
}

inline void setDuty(const QStringList& texts) {
    for (int k = 0; k < 10; ++k)
        FieldText(10 + k) = texts.value(k);
}
