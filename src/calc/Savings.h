#pragma once

#include <QString>

// Savings and payback of the drive, as pure functions.

enum class IncentiveKind { OneTime, Yearly };

struct PaybackResult {
    QString text;
    bool red = true; // only a result in years is black
};

// The payback of the drive's cost against one method. savings = the method's yearly total
// minus the drive's; incentive = MotorHP x IncentivePerHP; driveCost = DriveCost.
PaybackResult Payback(double savings, double incentive, double driveCost, IncentiveKind kind);
// Years with three decimals, right-aligned in eight characters, then " Years".
QString PaybackYearsText(double years);
