#pragma once

class Fields;
class Prompter;
class QString;

// Unit water content of a concrete with a water-reducing admixture: base × (1 − rate / 100), rate in percent.
// Throws CalcFailure when the result is not finite.
double admixtureWater(double base, double ratePercent);

// The commands of the admixture water window `wai` over its fields (Text1 base water, Text2 reduction rate,
// Text3 result, Text5 the fixed note).
class AdmixtureWater {
public:
    AdmixtureWater(Fields& fields, Prompter& prompter);

    // Field texts of a freshly opened window: the note, everything else empty.
    void load();

    // The main window hands over its reference water content; only Text1 changes.
    void receiveBaseWater(const QString& text);

    // 计算: after the confirmation, Text3 gets the water content in the general form. A failure shows
    // "请输入正确的参数！" and leaves Text3 as it was.
    void computeWater();

    // 导回用水量: the text of Text3, unchanged, into the main window's water content field Text21, and into
    // its hidden Text31 that remembers it.
    void sendWaterBack(Fields& mainWindow);

private:
    Fields& m_fields;
    Prompter& m_prompter;
};

// The fixed note of the window (Text5), ending in a line break.
QString admixtureNote();
