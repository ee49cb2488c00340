#pragma once

#include <QString>

#include <array>

using PointArray = std::array<double, 10>; // index 0 = 100 % flow .. 9 = 10 % flow

// The calculation result set: input copies, duty data and, per control method, shaft power,
// cost per hour and yearly cost at the ten flow points with a yearly total. A fan run leaves
// the pump arrays as they were and the reverse; the user curves, AnnualHours and
// AcrossLineTotalCost always hold the latest run.
struct CalcResults {
    int HoursPerDay = 0;
    int DaysPerWeek = 0;
    int WeeksPerYear = 0;
    int AnnualHours = 0;
    double EnergyPrice = 0; // currency per kWh after a run
    double MotorHP = 0;
    double MotorEfficiency = 0; // a fraction after a run
    double DriveEfficiency = 0;
    double IncentivePerHP = 0;
    double DriveCost = 0;

    std::array<QString, 10> DutyText{};
    std::array<int, 10> FanDutyPercent{};
    std::array<int, 10> PumpDutyPercent{};
    PointArray FanHours{};
    PointArray PumpHours{};
    double FanTotalHours = 0;
    double PumpTotalHours = 0;

    PointArray FanVfdHP{}, FanVfdCostPerHour{}, FanVfdAnnualCost{};
    double FanVfdTotalCost = 0;
    PointArray DamperHP{}, DamperCostPerHour{}, DamperAnnualCost{};
    double DamperTotalCost = 0;
    PointArray VaneHP{}, VaneCostPerHour{}, VaneAnnualCost{};
    double VaneTotalCost = 0;
    PointArray PumpVfdHP{}, PumpVfdCostPerHour{}, PumpVfdAnnualCost{};
    double PumpVfdTotalCost = 0;
    PointArray ValveHP{}, ValveCostPerHour{}, ValveAnnualCost{};
    double ValveTotalCost = 0;
    PointArray Custom1HP{}, Custom1CostPerHour{}, Custom1AnnualCost{};
    double Custom1TotalCost = 0;
    PointArray Custom2HP{}, Custom2CostPerHour{}, Custom2AnnualCost{};
    double Custom2TotalCost = 0;

    double AcrossLineTotalCost = 0;

    // A method whose divisor is 0 (a curve entry of 0, a drive efficiency of 0) or whose
    // amounts would not be finite within a 32-bit float's range is not available: its numbers are
    // all 0 and every page shows it as unavailable. Written by the run that owns the method.
    bool FanVfdAvailable = true;
    bool DamperAvailable = true;
    bool VaneAvailable = true;
    bool PumpVfdAvailable = true;
    bool ValveAvailable = true;
    bool Custom1Available = true;
    bool Custom2Available = true;
    bool AcrossLineAvailable = true;
};

inline CalcResults Results;
