#pragma once

#include "calc/CalcResults.h"
#include "setup/SetupOptions.h"

#include <QString>

#include <array>

// The pure arithmetic of an estimation. Intermediates are long double; every result that is
// kept is a double, exactly as the results page, charts and report read it.

// Inputs of one run, already converted: price in currency per kWh, motor efficiency as a
// fraction.
struct EnergyInputs {
    int AnnualHours = 0;
    double EnergyPrice = 0;
    double MotorHP = 0;
    double MotorEfficiency = 0;
    double DriveEfficiency = 0;
};

struct OperatingProfile {
    std::array<int, 10> DutyPercent{};
    PointArray Hours{};
    double TotalHours = 0;
};

// One control method at the ten flow points. A method whose divisor is 0 somewhere (a curve
// entry or the drive efficiency), or whose amounts would not be finite numbers within a
// 32-bit float's range (the money texts take them as floats), is not available: all its
// numbers are 0 and the pages show it as unavailable.
struct MethodResult {
    PointArray HP{};
    PointArray CostPerHour{};
    PointArray AnnualCost{};
    double TotalCost = 0;
    bool Available = true;
};

// Hours per day x days per week x weeks per year; 24 x 7 x 52 counts as the 8760 hours of a
// whole year. Products beyond 32 bits are held at the 32-bit limit.
int AnnualHoursFor(int hoursPerDay, int daysPerWeek, int weeksPerYear);
// The duty texts' integer values, total.
int DutyTotal(const std::array<QString, 10>& dutyText);
// Duty integers, hours at each flow point and their plain sum.
OperatingProfile ComputeProfile(int annualHours, const std::array<QString, 10>& dutyText);
// (m x 0.1 x m x 0.1) x m x 0.1 with m = 10 - k, left to right.
long double Cube(int k);
// Rounds to cents: first to 18 significant digits, then to two decimals, halves away from
// zero. A value that is not finite comes back unchanged.
double RoundToCents(long double value);

// The drive: shaft power cube(k) x MotorHP, cost divisor MotorEfficiency x DriveEfficiency.
MethodResult ComputeDrive(const EnergyInputs& in, const PointArray& hours);
// A throttling method: shaft power cube(k) x MotorHP / curve[k], cost divisor
// MotorEfficiency.
MethodResult ComputeCurveMethod(const EnergyInputs& in, const CurveArray& curve,
                                const PointArray& hours);
// No speed control: the motor at full power for every operating hour. False in `available`
// when the result would not be a finite number within a 32-bit float's range (the total is
// then 0).
double ComputeAcrossLine(const EnergyInputs& in, bool* available);
