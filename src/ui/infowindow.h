#pragma once

#include <QWidget>

struct AppContext;
class QPlainTextEdit;

// One of the four information windows: Form2 "重要声明", Form5 "安装协议", Form6 "使用帮助" (each a fixed
// text in the read-only field Text1) and Form7 "客服信息" (labels, Label3 a link to the program's page). They
// compute nothing; each centres itself on the screen when it is created.
class InfoWindow : public QWidget {
public:
    // name: Form2, Form5, Form6 or Form7.
    InfoWindow(const QString& name, const AppContext& context);

    // Form2, Form5, Form6 and Form7 are information windows; other names are not.
    static bool isInfoWindow(const QString& name);

    void Label3_Click();

private:
    QPlainTextEdit* addText(const QString& text, int left, int top, int width, int height, double points);
    void buildStatement();
    void buildAgreement();
    void buildUsageHelp();
    void buildService();
    void centreOnScreen();

    const AppContext& m_context;
};
