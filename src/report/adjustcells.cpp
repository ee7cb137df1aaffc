#include "report/adjustcells.h"

#include "common/failure.h"
#include "common/numbers.h"

namespace {

constexpr bool kPlain = false;
constexpr bool kTwoDecimals = true;

AdjustCell both(int row, int column, const char16_t* field, bool twoDecimals = kPlain) {
    return {row, column, QString::fromUtf16(field), twoDecimals, false};
}

AdjustCell siteMix(int row, int column, const char16_t* field, bool twoDecimals = kPlain) {
    return {row, column, QString::fromUtf16(field), twoDecimals, true};
}

} // namespace

const std::vector<AdjustCell>& adjustCells() {
    static const std::vector<AdjustCell> cells = {
        // Step 1: the preliminary mix.
        both(12, 2, u"Text1"),
        both(13, 2, u"Text2"),
        both(14, 2, u"Text3"),
        both(15, 2, u"Text4"),
        // Step 2: the trial batch and its volume.
        both(12, 3, u"Text6"),
        both(13, 3, u"Text7"),
        both(14, 3, u"Text8"),
        both(15, 3, u"Text9"),
        both(11, 3, u"Text5"),
        // Step 3: the adjusted trial batch, the paste change and the adjusted base mix.
        both(12, 4, u"Text12"),
        both(13, 4, u"Text13"),
        both(14, 4, u"Text14"),
        both(15, 4, u"Text15"),
        both(11, 4, u"Combo1"),
        both(11, 5, u"Text11"),
        both(12, 7, u"Text16"),
        both(13, 7, u"Text17"),
        both(14, 7, u"Text18"),
        both(15, 7, u"Text19", kTwoDecimals),
        // Step 4: the three groups A, B, C.
        both(19, 2, u"Text22", kTwoDecimals),
        both(20, 2, u"Text25"),
        both(21, 2, u"Text32"),
        both(19, 3, u"Text23", kTwoDecimals),
        both(20, 3, u"Text26"),
        both(21, 3, u"Text33"),
        both(19, 4, u"Text24", kTwoDecimals),
        both(20, 4, u"Text27"),
        both(21, 4, u"Text34"),
        // Step 5: absolute volumes, the chosen ratio, the density correction and the laboratory mix.
        both(25, 3, u"Text36"),
        both(26, 3, u"Text37"),
        both(27, 3, u"Text38"),
        both(28, 3, u"Text39"),
        both(29, 3, u"Text40"),
        both(30, 3, u"Text41"),
        both(31, 3, u"Text42", kTwoDecimals),
        both(32, 3, u"Text43"),
        both(33, 3, u"Text44"),
        both(22, 2, u"Text71", kTwoDecimals),
        both(22, 4, u"Text73"),
        both(36, 2, u"Text47"),
        both(36, 5, u"Text46"),
        both(36, 7, u"Text48"),
        both(38, 3, u"Text49"),
        both(39, 3, u"Text50"),
        both(40, 3, u"Text51"),
        both(41, 3, u"Text52"),
        both(38, 7, u"Text53"),
        both(39, 7, u"Text54"),
        both(40, 7, u"Text55"),
        both(41, 7, u"Text56", kTwoDecimals),
        // Step 6: moisture and the site mix.
        siteMix(44, 2, u"Text57"),
        siteMix(44, 5, u"Text58"),
        siteMix(46, 3, u"Text59"),
        siteMix(47, 3, u"Text60"),
        siteMix(48, 3, u"Text61"),
        siteMix(49, 3, u"Text62"),
        siteMix(46, 7, u"Text63"),
        siteMix(47, 7, u"Text65"),
        siteMix(48, 7, u"Text66"),
        siteMix(49, 7, u"Text64", kTwoDecimals),
    };
    return cells;
}

bool writtenBy(const AdjustCell& cell, AdjustExport kind) {
    return kind == AdjustExport::Construction || !cell.constructionOnly;
}

QString importedText(const AdjustCell& cell, const CellValue& value) {
    switch (value.kind()) {
    case CellValue::Kind::Empty:
        return QString();
    case CellValue::Kind::Number:
        if (cell.twoDecimals)
            return formatNumber(value.toNumber(), u"###0.00");
        // As the cell shows it: its fixed decimals, else the general form.
        return value.decimals() > 0 ? formatFixed(value.toNumber(), value.decimals())
                                    : generalForm(value.toNumber());
    case CellValue::Kind::Text:
        if (cell.twoDecimals) {
            try {
                return formatNumber(readStrict(value.toText()), u"###0.00");
            } catch (const CalcFailure&) {
                // A text that is no number has no two-decimal form: it stays as it is.
            }
        }
        return value.toText();
    }
    return QString();
}
