#pragma once

#include "adjust/mixadjustment.h"
#include "report/adjustworkbook.h"
#include "ui/widgetfields.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WindowManager;

// The adjustment window `tiaozheng`: six step frames from the preliminary mix to the site mix, and the frame
// of the workbook export and import. It binds its controls to the adjustment commands and holds nothing but
// the controls' texts; closing it discards them.
class AdjustWindow : public QWidget {
public:
    explicit AdjustWindow(WindowManager& windows, QWidget* parent = nullptr);

    Fields& fields() { return m_fields; }

    void Command16_Click();
    void Command2_Click();
    void Command1_Click();
    void Command3_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command4_Click();
    void Command5_Click();
    void Command15_Click();
    void Command6_Click();
    void Command17_Click(); // "作图": the strength chart window

    // The workbook commands of Frame13.
    void Command11_Click();
    void Command11_LostFocus();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Label76_Click();
    void Label77_Click();

private:
    void buildControls();
    void buildStep1(QWidget* canvas);
    void buildStep2(QWidget* canvas);
    void buildStep3(QWidget* canvas);
    void buildStep4(QWidget* canvas);
    void buildStep5(QWidget* canvas);
    void buildStep6(QWidget* canvas);
    void buildFileFrame(QWidget* canvas);
    void bindControls();
    // The workbook exports' chart picture.
    QByteArray chartPicture() const;

    // Positions and sizes in twips, relative to the parent.
    QGroupBox* addFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height);
    // A field with its caption right-aligned between captionLeft and the field; no caption when it is empty.
    QLineEdit* addField(QWidget* frame, const QString& name, const QString& caption, int left, int top,
                        bool readOnly, int captionLeft, int width = 735, int height = 375);
    QLabel* addText(QWidget* frame, const QString& text, int left, int top, int width, int height,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    QPushButton* addButton(QWidget* frame, const QString& name, const QString& caption, int left, int top,
                           int width, int height = 360);
    void addPasteList(QWidget* frame, const QString& name, int left, int top, int captionLeft);

    WindowManager& m_windows;
    WidgetFields m_fields;
    MixAdjustment m_adjustment;
    AdjustWorkbook m_workbook;
};
