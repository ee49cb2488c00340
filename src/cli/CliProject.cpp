#include "cli/CliProject.h"

#include "calc/Calculation.h"
#include "calc/WizardFields.h"
#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "files/ProjectFile.h"
#include "platform/Desktop.h"
#include "setup/SetupOptions.h"

#include <cmath>

int LoadAndCalculateProject(const QString& fileName) {
    InitSharedState();
    DefineAllParameters();
    Load_OPT();

    if (!ReadProjectFile(fileName, ParameterTableKind::Shadow, ReadMode::CheckOnly))
        return CliProjectUnreadable;
    if (!ReadProjectFile(fileName, ParameterTableKind::Live, ReadMode::Load))
        return CliProjectUnreadable;
    if (Shared.FileAppType != 1 && Shared.FileAppType != 2) {
        // A cooling tower file reads, but there is no estimation for it.
        platform::desktop().message(
            platform::Icon::Error,
            QStringLiteral("This file holds a cooling tower application; only fan and pump "
                           "projects can be calculated."),
            platform::Buttons::Ok);
        return CliProjectUnreadable;
    }
    Shared.AppType = Shared.FileAppType;
    Shared.AppTypeText = Shared.AppType == 1 ? QStringLiteral("FAN") : QStringLiteral("PUMP");
    Shared.ProjectFileName = fileName;
    Shared.ProjectActive = true;

    // As the wizard does when it is shown: fields from the table, then the incentive buttons.
    LoadFieldsFromParameters();
    if (std::round(Parameter(20).value) > 0)
        Incentive01Click();
    else
        Incentive02Click();

    if (!CheckDutyCycle())
        return CliProjectDutyFailed;
    CalculateEnergy(Shared.AppType);
    ShowSavings(Shared.AppType);
    return CliProjectOk;
}
