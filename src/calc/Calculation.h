#pragma once

#include <QString>

#include <functional>

// The calculation routines of the estimation wizard. They read the wizard's field texts
// (WizardFields.h) and the program setup, and write the process-wide Results and the
// results page.

// Captures A110 .. A119 (first five characters each) into Results.DutyText and returns the
// total of their integer values.
int CaptureDutyCycle();
// The duty check in front of every calculation: passes when the total is exactly 100,
// otherwise shows the error message with the total and fails.
bool CheckDutyCycle();
// The running total under the duty fields: tells the window (dutyTotalChanged) and, when the
// total is exactly 100, recalculates. Never shows a message; always returns true.
bool UpdateDutyTotal();
// The total label's text: "100%" when complete, otherwise the total and "!" ("95!").
QString DutyTotalText(int total);

// The energy model run: 1 fan, 2 pump; any other value only reads the inputs.
void CalculateEnergy(int app);
// Fills the results page from the last run: 1 fan, 2 pump; any other value does nothing.
void ShowSavings(int app);
// The recalculation driver: duty check, energy model and results page for AppType, the
// selected estimation graph, and always the duty chart.
void Recalculate();

// A method button of the results page (LINE1 .. LINE4, LINECUSTOM1, LINECUSTOM2). LINE1 only
// explains itself in a message. The others pass the duty check, run the energy model (not
// the results page) and select the method in OverviewAppType / OverviewMethod; they return
// true when the calculation overview should now be opened.
bool MethodButtonClick(const QString& buttonName);

// The incentive radio buttons: A120 holds "1" for a one-time incentive, "0" for a yearly one.
void Incentive01Click();
void Incentive02Click();
// True when A120's value, rounded to a whole number, is greater than 0.
bool OneTimeIncentiveSelected();

// Window steps of the recalculation, installed by the windows that own them. Unset hooks
// are skipped.
struct RecalculateHooks {
    std::function<void()> refreshSelectedGraph; // Recalculate step 3 (charts add it)
    std::function<void()> refreshDutyChart;     // Recalculate step 4, always
    std::function<void(int total, bool complete)>
        dutyTotalChanged; // UpdateDutyTotal: label text/colour and duty bar colour
};
RecalculateHooks& recalculateHooks();

// Results, results page and hooks back to a fresh start (tests).
void ResetCalculation();
