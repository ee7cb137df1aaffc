#pragma once

#include "common/controls.h"

#include <QStringList>

// The controls of the main design window Form1 by their role. Every control name of the window is
// written here and nowhere else.
namespace Form1 {

// The window itself.
inline const QString window = QStringLiteral("Form1");
// The status line under the window: where the last saved report went.
inline const QString statusLine = QStringLiteral("statusLine");
// Strength grade range.
inline const QString gradeRange = QStringLiteral("Combo1");
// Maximum stone size.
inline const QString stoneSize = QStringLiteral("Combo2");
// Slump range.
inline const QString slump = QStringLiteral("Combo3");
// Regression coefficient a.
inline const QString coefficientA = QStringLiteral("Combo4");
// Regression coefficient b.
inline const QString coefficientB = QStringLiteral("Combo5");
// Assumed concrete density.
inline const QString density = QStringLiteral("Combo6");
// Environment of the concrete.
inline const QString environment = QStringLiteral("Combo7");
// Plain, reinforced or prestressed.
inline const QString reinforcement = QStringLiteral("Combo8");
// Strength standard deviation.
inline const QString sigma = QStringLiteral("Text29");
// Characteristic strength.
inline const QString gradeStrength = QStringLiteral("Text2");
// Cement strength grade.
inline const QString cementGrade = QStringLiteral("Text3");
// Cement surplus factor.
inline const QString cementFactor = QStringLiteral("Text4");
// Check of the standard deviation.
inline const QString sigmaCheck = QStringLiteral("Text30");
// Check of the maximum ratio.
inline const QString ratioCheck = QStringLiteral("Text1");
// Check of the minimum cement.
inline const QString cementCheck = QStringLiteral("Text6");
// Proportion line 1:s:g:w.
inline const QString proportion = QStringLiteral("Text5");
inline const QString automaticTarget = QStringLiteral("Text7");
inline const QString automaticSigma = QStringLiteral("Text8");
inline const QString automaticCementStrength = QStringLiteral("Text9");
inline const QString automaticRatio = QStringLiteral("Text10");
inline const QString automaticWater = QStringLiteral("Text11");
inline const QString automaticCement = QStringLiteral("Text12");
inline const QString automaticSandRatio = QStringLiteral("Text13");
inline const QString automaticSand = QStringLiteral("Text14");
inline const QString automaticStone = QStringLiteral("Text15");
// The mix per cubic metre in words.
inline const QString mixLine = QStringLiteral("Text16");
inline const QString stepwiseTarget = QStringLiteral("Text17");
inline const QString stepwiseSigma = QStringLiteral("Text18");
inline const QString stepwiseCementStrength = QStringLiteral("Text19");
inline const QString stepwiseRatio = QStringLiteral("Text20");
inline const QString stepwiseWater = QStringLiteral("Text21");
inline const QString stepwiseCement = QStringLiteral("Text22");
inline const QString stepwiseSandRatio = QStringLiteral("Text23");
inline const QString stepwiseSand = QStringLiteral("Text24");
inline const QString stepwiseStone = QStringLiteral("Text25");
// Water content from the table.
inline const QString referenceWater = QStringLiteral("Text26");
// Sand ratio from the table.
inline const QString referenceSandRatio = QStringLiteral("Text27");
// Hidden: the water text the admixture window last sent into Text21, emptied when the table's water is
// imported; Text21 came from that window while it still holds this text.
inline const QString sentAdmixtureWater = QStringLiteral("Text31");
// Report file name.
inline const QString fileName = QStringLiteral("Text28");
// Date tag for the file name.
inline const QString dateTag = QStringLiteral("Label28");
inline const QString automaticButton = QStringLiteral("Command1");
inline const QString completeButton = QStringLiteral("Command5");
inline const QString waterStepButton = QStringLiteral("Command3");
inline const QString admixtureButton = QStringLiteral("Command14");
inline const QString sandRatioStepButton = QStringLiteral("Command4");
inline const QString showAutomaticButton = QStringLiteral("Command12");
inline const QString showStepwiseButton = QStringLiteral("Command13");
inline const QString saveAutomaticButton = QStringLiteral("Command10");
inline const QString saveStepwiseButton = QStringLiteral("Command11");
inline const QString titleLabel = QStringLiteral("Label27");
inline const QString subtitleLabel = QStringLiteral("Label32");
inline const QString sigmaLabel = QStringLiteral("Label23");
inline const QString gradeStrengthLabel = QStringLiteral("Label1");
inline const QString gradeStrengthUnit = QStringLiteral("Label31");
inline const QString cementGradeLabel = QStringLiteral("Label2");
inline const QString cementGradeUnit = QStringLiteral("Label30");
inline const QString cementFactorLabel = QStringLiteral("Label3");
inline const QString slumpLabel = QStringLiteral("Label5");
inline const QString stoneSizeLabel = QStringLiteral("Label4");
inline const QString coefficientALabel = QStringLiteral("Label6");
inline const QString coefficientBLabel = QStringLiteral("Label7");
inline const QString densityLabel = QStringLiteral("Label8");
inline const QString environmentLabel = QStringLiteral("Label9");
inline const QString reinforcementLabel = QStringLiteral("Label10");
inline const QString sigmaCheckLabel = QStringLiteral("Label24");
inline const QString ratioCheckLabel = QStringLiteral("Label20");
inline const QString cementCheckLabel = QStringLiteral("Label21");
inline const QString proportionLabel = QStringLiteral("Label22");
inline const QString basisLabel = QStringLiteral("Label34");
inline const QString basisText = QStringLiteral("Label35");
inline const QString targetLabel = QStringLiteral("Label11");
inline const QString sigmaRowLabel = QStringLiteral("Label18");
inline const QString cementStrengthLabel = QStringLiteral("Label19");
inline const QString ratioLabel = QStringLiteral("Label12");
inline const QString waterLabel = QStringLiteral("Label13");
inline const QString cementLabel = QStringLiteral("Label16");
inline const QString sandRatioLabel = QStringLiteral("Label14");
inline const QString sandLabel = QStringLiteral("Label15");
inline const QString stoneLabel = QStringLiteral("Label17");
inline const QString referenceWaterLabel = QStringLiteral("Label25");
// Click: reference water into the column.
inline const QString importWaterLabel = QStringLiteral("Label36");
inline const QString referenceSandRatioLabel = QStringLiteral("Label26");
// Click: reference sand ratio into the column.
inline const QString importSandRatioLabel = QStringLiteral("Label37");
inline const QString dateLabel = QStringLiteral("Label33");
// Click: date tag onto the file name.
inline const QString completeNameLabel = QStringLiteral("Label38");
inline const QString saveHintLabel = QStringLiteral("Label29");
inline const QString waterTable = QStringLiteral("Picture1");
inline const QString sandRatioTable = QStringLiteral("Picture2");
// Click: the program page.
inline const QString banner = QStringLiteral("Picture3");

// The nine fields of a result column from top to bottom: target strength, standard deviation, cement
// strength, ratio, water, cement, sand ratio, sand, stone.
QStringList automaticColumn();
QStringList stepwiseColumn();
// The captions of the result rows, in the same order.
QStringList resultRowLabels();

// The controls whose texts the commands read and write: every field and list, and the date tag.
QStringList commandControls();

// Every named control of the window with its kind.
const QList<Control>& controls();

} // namespace Form1
