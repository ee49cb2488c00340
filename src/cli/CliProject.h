#pragma once

#include <QString>

// Everything `enervane-cli calc` does before it prints: the shared state and parameter table
// of a fresh program, the setup from the settings store, the file read twice (check, then
// load; every message on standard error as one line, questions answered OK), the twenty
// field texts from the parameter table, the duty check, and the energy model and results
// page for the file's application (Shared.AppType).
enum CliProjectStatus { CliProjectOk = 0, CliProjectUnreadable = 1, CliProjectDutyFailed = 2 };

int LoadAndCalculateProject(const QString& fileName);
