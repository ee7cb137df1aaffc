#pragma once

#include <QString>
#include <vector>

// Where the record of the trial window prints each field (template phsp2011.xls, 12 columns A–L, two A4
// pages); rows and columns from 1. Empty fields print as empty cells, so steps that have not run leave their
// lines empty.
struct Trial2011Cell {
    int row;
    int column;
    QString field; // a field of the window; empty for the date of the save
};

const std::vector<Trial2011Cell>& trial2011Cells();

// The row of the chart's top left corner (column A) on the second page, and its size.
constexpr int kTrialChartRow = 57;
constexpr double kTrialChartWidthMm = 150.0;
constexpr double kTrialChartHeightMm = 88.0;
