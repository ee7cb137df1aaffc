#include "design/form1.h"

const QList<Control>& Form1::controls() {
    static const QList<Control> all = {
        {gradeRange, ControlKind::List},
        {stoneSize, ControlKind::List},
        {slump, ControlKind::List},
        {coefficientA, ControlKind::List},
        {coefficientB, ControlKind::List},
        {density, ControlKind::List},
        {environment, ControlKind::List},
        {reinforcement, ControlKind::List},
        {sigma, ControlKind::Field},
        {gradeStrength, ControlKind::Field},
        {cementGrade, ControlKind::Field},
        {cementFactor, ControlKind::Field},
        {sigmaCheck, ControlKind::Field},
        {ratioCheck, ControlKind::Field},
        {cementCheck, ControlKind::Field},
        {proportion, ControlKind::Field},
        {automaticTarget, ControlKind::Field},
        {automaticSigma, ControlKind::Field},
        {automaticCementStrength, ControlKind::Field},
        {automaticRatio, ControlKind::Field},
        {automaticWater, ControlKind::Field},
        {automaticCement, ControlKind::Field},
        {automaticSandRatio, ControlKind::Field},
        {automaticSand, ControlKind::Field},
        {automaticStone, ControlKind::Field},
        {mixLine, ControlKind::Field},
        {stepwiseTarget, ControlKind::Field},
        {stepwiseSigma, ControlKind::Field},
        {stepwiseCementStrength, ControlKind::Field},
        {stepwiseRatio, ControlKind::Field},
        {stepwiseWater, ControlKind::Field},
        {stepwiseCement, ControlKind::Field},
        {stepwiseSandRatio, ControlKind::Field},
        {stepwiseSand, ControlKind::Field},
        {stepwiseStone, ControlKind::Field},
        {referenceWater, ControlKind::Field},
        {referenceSandRatio, ControlKind::Field},
        {fileName, ControlKind::Field},
        {sentAdmixtureWater, ControlKind::Field},
        {dateTag, ControlKind::Label},
        {automaticButton, ControlKind::Button},
        {completeButton, ControlKind::Button},
        {waterStepButton, ControlKind::Button},
        {admixtureButton, ControlKind::Button},
        {sandRatioStepButton, ControlKind::Button},
        {showAutomaticButton, ControlKind::Button},
        {showStepwiseButton, ControlKind::Button},
        {saveAutomaticButton, ControlKind::Button},
        {saveStepwiseButton, ControlKind::Button},
        {titleLabel, ControlKind::Label},
        {subtitleLabel, ControlKind::Label},
        {sigmaLabel, ControlKind::Label},
        {gradeStrengthLabel, ControlKind::Label},
        {gradeStrengthUnit, ControlKind::Label},
        {cementGradeLabel, ControlKind::Label},
        {cementGradeUnit, ControlKind::Label},
        {cementFactorLabel, ControlKind::Label},
        {slumpLabel, ControlKind::Label},
        {stoneSizeLabel, ControlKind::Label},
        {coefficientALabel, ControlKind::Label},
        {coefficientBLabel, ControlKind::Label},
        {densityLabel, ControlKind::Label},
        {environmentLabel, ControlKind::Label},
        {reinforcementLabel, ControlKind::Label},
        {sigmaCheckLabel, ControlKind::Label},
        {ratioCheckLabel, ControlKind::Label},
        {cementCheckLabel, ControlKind::Label},
        {proportionLabel, ControlKind::Label},
        {basisLabel, ControlKind::Label},
        {basisText, ControlKind::Label},
        {targetLabel, ControlKind::Label},
        {sigmaRowLabel, ControlKind::Label},
        {cementStrengthLabel, ControlKind::Label},
        {ratioLabel, ControlKind::Label},
        {waterLabel, ControlKind::Label},
        {cementLabel, ControlKind::Label},
        {sandRatioLabel, ControlKind::Label},
        {sandLabel, ControlKind::Label},
        {stoneLabel, ControlKind::Label},
        {referenceWaterLabel, ControlKind::Label},
        {importWaterLabel, ControlKind::Label},
        {referenceSandRatioLabel, ControlKind::Label},
        {importSandRatioLabel, ControlKind::Label},
        {dateLabel, ControlKind::Label},
        {completeNameLabel, ControlKind::Label},
        {saveHintLabel, ControlKind::Label},
        {waterTable, ControlKind::Picture},
        {sandRatioTable, ControlKind::Picture},
        {banner, ControlKind::Picture},
    };
    return all;
}

QStringList Form1::automaticColumn() {
    return {automaticTarget, automaticSigma,     automaticCementStrength, automaticRatio, automaticWater,
            automaticCement, automaticSandRatio, automaticSand,           automaticStone};
}

QStringList Form1::stepwiseColumn() {
    return {stepwiseTarget, stepwiseSigma,     stepwiseCementStrength, stepwiseRatio, stepwiseWater,
            stepwiseCement, stepwiseSandRatio, stepwiseSand,           stepwiseStone};
}

QStringList Form1::resultRowLabels() {
    return {targetLabel, sigmaRowLabel,  cementStrengthLabel, ratioLabel, waterLabel,
            cementLabel, sandRatioLabel, sandLabel,           stoneLabel};
}

QStringList Form1::commandControls() {
    QStringList names;
    for (const Control& control : controls()) {
        if (control.kind == ControlKind::Field || control.kind == ControlKind::List)
            names << control.name;
    }
    return names << dateTag;
}
