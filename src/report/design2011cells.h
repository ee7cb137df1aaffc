#pragma once

#include <QString>
#include <vector>

class Fields;
struct Design2011Calculation;

// How a cell of the JGJ 55-2011 calculation sheet (template phm2011.xls) is made from the window's fields.
enum class SheetForm {
    Field,       // the field's text as it stands
    Box,         // a check box: "是" or "否"
    Coefficient, // γf or γs as the calculation used it: the field's text, "1.00" where its dosage is 0
    Basis,       // the clause or table the value beside it comes from, where that depends on the inputs
    Date,        // the day of the save
    Special,     // the special requirements in one line ("抗渗P8，抗冻F100"), "无" without any
    TrialStep, // a side trial column's heading: "水胶比 −0.05", or −0.02 for high strength; dosage "-"/"+"
};

// Values whose clause or table depends on the inputs.
enum class SheetBasis {
    Sigma,          // table σ, or σ from statistics
    CementFactor,   // γc, not used when fce is measured
    CementStrength, // fce from γc, or measured
    AdoptedWb,      // the calculated W/B within the maximum, or typed
    SandRatio,      // the middle of the table's range, or typed
    Aggregate,      // sand and stone by the mass or the volume method
    Density,        // assumed, or the sum of the masses
};

// One cell of the sheet; rows and columns from 1. `field` is the field shown (Field, Box, Coefficient); a
// coefficient's `dosage` is the field of its dosage.
struct Design2011Cell {
    int row;
    int column;
    SheetForm form;
    QString field;
    QString dosage;
    SheetBasis basis = SheetBasis::Sigma;
};

// Every cell the program writes, in the order written: report name and date, inputs, calculation, quantities,
// checks, trial mixes.
const std::vector<Design2011Cell>& design2011Cells();

// The text a cell receives: a field's text as shown, or what the calculation decided; `date` is the text of
// the save's day. The spreadsheet stores a text that reads as a number as that number.
QString design2011CellText(const Design2011Cell& cell, const Fields& fields,
                           const Design2011Calculation& calculation, const QString& date);

// The clause or table of a value as the calculation's inputs decided it.
QString design2011BasisText(SheetBasis basis, const Design2011Calculation& calculation);

// The name of the stored fields' form in a calculation sheet, and the inputs stored (every input of the
// window in reading order, the report name last; boxes as "on"/"off").
QString design2011StoredForm();
QStringList design2011StoredInputs();
