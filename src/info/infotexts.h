#pragma once

#include <QList>
#include <QString>

// The fixed texts of the information windows. Texts made of lines end every line, the last included, with
// "\n".

// The program's version as the user sees it (Form7, the help text, the program's page).
QString programVersion();

// Form2 "重要声明": the statement on the scope of the calculation, 24 lines.
QString statementText();

// Form5 "安装协议": the licence and disclaimer of this program.
QString agreementText();

// Form6 "使用帮助": the usage help, its items 1 to 5 and the contact item 6.
QString usageHelpText();

// One label of the customer service window Form7.
struct ServiceLabel {
    QString name;
    QString text;
};

// The labels of Form7 from top to bottom; Label3 is the link to the program's page.
QList<ServiceLabel> serviceLabels();
