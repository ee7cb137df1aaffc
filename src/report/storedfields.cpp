#include "report/storedfields.h"

#include "report/spreadsheet.h"

namespace {

const QChar kTextMark = u'|';

// A text cell as it was written; nothing for a number, an empty cell or a text without the mark.
std::optional<QString> markedText(Spreadsheet& sheet, int row) {
    const CellValue value = sheet.read(row, StoredFields::textColumn);
    if (value.kind() != CellValue::Kind::Text || !value.toText().startsWith(kTextMark))
        return std::nullopt;
    return value.toText().mid(1);
}

} // namespace

namespace StoredFields {

void write(Spreadsheet& sheet, const QString& form, const Texts& texts) {
    sheet.writeText(1, nameColumn, form);
    sheet.writeText(1, textColumn, kTextMark + QString::number(texts.size()));
    int row = 2;
    for (const auto& [name, text] : texts) {
        sheet.writeText(row, nameColumn, name);
        sheet.writeText(row, textColumn, kTextMark + text);
        ++row;
    }
}

std::optional<Texts> read(Spreadsheet& sheet, const QString& form) {
    const CellValue head = sheet.read(1, nameColumn);
    if (head.kind() != CellValue::Kind::Text || head.toText() != form)
        return std::nullopt;
    const std::optional<QString> countText = markedText(sheet, 1);
    bool ok = false;
    const int count = countText ? countText->toInt(&ok) : 0;
    if (!ok || count < 0 || count > 10000)
        return std::nullopt;
    Texts texts;
    for (int row = 2; row < 2 + count; ++row) {
        const CellValue name = sheet.read(row, nameColumn);
        const std::optional<QString> text = markedText(sheet, row);
        if (name.kind() != CellValue::Kind::Text || name.toText().isEmpty() || !text)
            return std::nullopt;
        texts.append({name.toText(), *text});
    }
    return texts;
}

} // namespace StoredFields
