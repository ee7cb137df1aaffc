#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The tables of JGJ 55-2000 that the mix design uses, as constant data. Keys are the texts of the main
// window's lists, compared character for character; lookups change nothing and return a value or no row.

// Default strength standard deviation for a grade range: "4", "5", or "6" for any other text.
QString defaultSigmaText(const QString& gradeRange);

// Threshold of the standard deviation check; no value means no check for that text.
std::optional<double> sigmaThreshold(const QString& gradeRange);

// Maximum water-cement ratio (unset for an unknown pair; it compares as 0) and minimum cement content (0
// then).
struct DurabilityLimits {
    std::optional<double> maxWaterCement;
    double minCement = 0.0;
    // The standard sets no maximum ratio ("不作规定", dry plain concrete): the checks compare with 1.
    bool waterCementUnregulated = false;
};
DurabilityLimits durabilityLimits(const QString& environment, const QString& reinforcement);

// Water content in kg/m3 for a slump range and a stone size text; 195 for any other pair. Never fails.
double waterContent(const QString& slump, const QString& size);

// Sand ratio in percent for the water-cement ratio w and the stone size text (read strictly: throws
// CalcFailure for a text that is not a number). No value when no row or column fits (w below 0.40, a size
// other than 16, 20, 31.5 or 40).
std::optional<double> sandRatioPercent(double w, const QString& size);

// The keys of the tables in their order: the main window's list items.
QStringList gradeRanges();
QStringList slumpRanges();
QStringList stoneSizes();
QStringList environments();
QStringList reinforcements();

// The water and the sand ratio table as the main window shows them, header row first. The water table also
// shows the standard's 25 mm column, which the calculation does not use; the sand ratio table shows each
// row's range from its lowest ratio.
QList<QStringList> waterTableRows();
QList<QStringList> sandRatioTableRows();
